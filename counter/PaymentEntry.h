#pragma once

#include "sale/Sale.h"

#include <QObject>

#include <vector>

class QComboBox;
class QLineEdit;
class QToolButton;
class QWidget;

// The payment: what the ticket comes to, what the customer paid (numbers
// only, no completion) and the change, paid − payable. 支付方式 (or F8) splits
// the payment by method; the paid box then shows the parts' sum, until the
// cashier edits it or the payable changes.
class PaymentEntry : public QObject
{
    Q_OBJECT
public:
    PaymentEntry(QComboBox *paid, QLineEdit *payable, QLineEdit *change, QToolButton *methods, QWidget &window);

    QString paid() const;
    // The parts chosen by method; empty for a payment in cash as typed.
    const std::vector<Payment> &payments() const { return m_payments; }
    // The ticket's new total; a customer who has paid already gets the change for it.
    void setPayable(Amount payable);
    // Nothing payable or paid: the next ticket.
    void clear();

private:
    void computeChange();
    // Paid − payable, unrounded; empty while nothing is paid or payable.
    QString changeText() const;
    void paidEdited();
    void choosePayments();
    void takePayments(const std::vector<Payment> &parts);

    QWidget &m_window;
    QComboBox *m_paid;
    QLineEdit *m_payableBox, *m_change;
    std::optional<Amount> m_payable; // what the payable box shows; none for the next ticket
    std::vector<Payment> m_payments;
};
