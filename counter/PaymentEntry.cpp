#include "counter/PaymentEntry.h"

#include "counter/KeyReleaseHook.h"
#include "counter/LinePricing.h"
#include "counter/NumericKeyFilter.h"
#include "counter/SelectOnFocus.h"
#include "grid/Handlers.h"

#include <QComboBox>
#include <QLineEdit>

PaymentEntry::PaymentEntry(QComboBox *paid, QLineEdit *payable, QLineEdit *change, QWidget &window)
    : QObject(&window)
    , m_paid(paid)
    , m_payable(payable)
    , m_change(change)
{
    // An amount typed in full must reach the change as typed: no completion.
    m_paid->setCompleter(nullptr);
    (new NumericKeyFilter(this))->watch(m_paid);
    auto *released = new KeyReleaseHook(this);
    released->watch(m_paid);
    (new SelectOnFocus(this))->watch(m_paid);
    ConnectHandler(m_paid, &QComboBox::editTextChanged, this, &PaymentEntry::computeChange, &window);
    ConnectHandler(released, &KeyReleaseHook::released, this, &PaymentEntry::computeChange, &window);
}

QString PaymentEntry::paid() const
{
    return m_paid->currentText();
}

QString PaymentEntry::change() const
{
    return m_change->text();
}

void PaymentEntry::setPayable(const QString &payable)
{
    m_payable->setText(payable);
    const QString paid = m_paid->currentText();
    m_change->setText(paid.isEmpty() ? QStringLiteral("0") : ChangeText(paid, payable));
}

void PaymentEntry::clear()
{
    m_paid->setEditText(QString());
    m_payable->clear();
    m_change->clear();
}

void PaymentEntry::computeChange()
{
    m_change->setText(ChangeText(m_paid->currentText(), m_payable->text()));
}
