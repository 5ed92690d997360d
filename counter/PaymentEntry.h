#pragma once

#include <QObject>

class QComboBox;
class QLineEdit;
class QWidget;

// The payment: what the ticket comes to, what the customer paid (numbers
// only, no completion) and the change, paid − payable.
class PaymentEntry : public QObject
{
    Q_OBJECT
public:
    PaymentEntry(QComboBox *paid, QLineEdit *payable, QLineEdit *change, QWidget &window);

    QString paid() const;
    QString change() const;
    // The ticket's new total; a customer who has paid already gets the change for it.
    void setPayable(const QString &payable);
    // Nothing payable or paid: the next ticket.
    void clear();

private:
    void computeChange();

    QComboBox *m_paid;
    QLineEdit *m_payable, *m_change;
};
