#include "counter/CounterWindow.h"

#include "counter/KeyReleaseHook.h"
#include "counter/LinePricing.h"
#include "counter/NumericKeyFilter.h"
#include "counter/SelectOnFocus.h"
#include "grid/Handlers.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

// Payment: the change for the amount paid, and dropping a line's fraction.
void CounterWindow::connectPayment()
{
    // An amount typed in full must reach the change as typed: no completion.
    m_paidBox->setCompleter(nullptr);
    auto *numbers = new NumericKeyFilter(this);
    numbers->watch(m_paidBox);
    auto *released = new KeyReleaseHook(this);
    released->watch(m_paidBox);
    (new SelectOnFocus(this))->watch(m_paidBox);
    ConnectHandler(m_paidBox, &QComboBox::editTextChanged, this, &CounterWindow::computeChange);
    ConnectHandler(released, &KeyReleaseHook::released, this, &CounterWindow::computeChange);
    ConnectHandler(m_dropFractionButton, &QToolButton::clicked, this, &CounterWindow::dropFraction);
}

void CounterWindow::computeChange()
{
    m_changeEdit->setText(ChangeText(m_paidBox->currentText(), m_payableEdit->text()));
}

// "抹零": the line's amount after discount loses its fraction.
void CounterWindow::dropFraction()
{
    if (m_discountedEdit->text().isEmpty())
        return;
    m_discountedEdit->setText(DropFraction(m_discountedEdit->text()));
    m_fractionDropped = true;
}
