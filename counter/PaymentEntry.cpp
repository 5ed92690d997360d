#include "counter/PaymentEntry.h"

#include "counter/KeyReleaseHook.h"
#include "counter/NumericKeyFilter.h"
#include "counter/PaymentDialog.h"
#include "counter/SelectOnFocus.h"
#include "grid/Handlers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QShortcut>
#include <QToolButton>

PaymentEntry::PaymentEntry(QComboBox *paid, QLineEdit *payable, QLineEdit *change, QToolButton *methods,
                           QWidget &window)
    : QObject(&window)
    , m_window(window)
    , m_paid(paid)
    , m_payableBox(payable)
    , m_change(change)
{
    // An amount typed in full must reach the change as typed: no completion.
    m_paid->setCompleter(nullptr);
    (new NumericKeyFilter(this))->watch(m_paid);
    auto *released = new KeyReleaseHook(this);
    released->watch(m_paid);
    (new SelectOnFocus(this))->watch(m_paid);
    ConnectHandler(m_paid, &QComboBox::editTextChanged, this, &PaymentEntry::paidEdited, &window);
    ConnectHandler(released, &KeyReleaseHook::released, this, &PaymentEntry::computeChange, &window);
    ConnectHandler(methods, &QToolButton::clicked, this, &PaymentEntry::choosePayments, &window);
    ConnectHandler(new QShortcut(Qt::Key_F8, &window), &QShortcut::activated, this, &PaymentEntry::choosePayments,
                   &window);
}

QString PaymentEntry::paid() const
{
    return m_paid->currentText();
}

void PaymentEntry::setPayable(Amount payable)
{
    // Parts chosen for another total no longer settle this one.
    if (m_payable != payable)
        m_payments.clear();
    m_payable = payable;
    m_payableBox->setText(payable.text());
    m_change->setText(m_paid->currentText().isEmpty() ? QStringLiteral("0") : changeText());
}

void PaymentEntry::clear()
{
    m_paid->setEditText(QString());
    m_payable.reset();
    m_payableBox->clear();
    m_change->clear();
    m_payments.clear();
}

void PaymentEntry::computeChange()
{
    m_change->setText(changeText());
}

QString PaymentEntry::changeText() const
{
    const QString paid = m_paid->currentText();
    if (paid.isEmpty() || !m_payable)
        return QString();
    return (Amount::fromText(paid) - *m_payable).text();
}

// The cashier's own amount: paid in cash as typed.
void PaymentEntry::paidEdited()
{
    m_payments.clear();
    computeChange();
}

void PaymentEntry::choosePayments()
{
    if (!m_payable || *m_payable <= Amount()) {
        Dialogs::Message(&m_window, QStringLiteral("没有应付金额！"), Dialogs::Icon::Warning);
        return;
    }
    auto *dialog = new PaymentDialog(*m_payable, m_payments, &m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { Dialogs::Guarded(&m_window, [&] { takePayments(dialog->payments()); }); });
    dialog->open();
}

void PaymentEntry::takePayments(const std::vector<Payment> &parts)
{
    Amount sum;
    for (const Payment &part : parts)
        sum += part.amount;
    m_paid->setEditText(sum.text()); // drops the parts chosen before
    m_payments = parts;
}
