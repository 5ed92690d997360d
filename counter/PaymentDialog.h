#pragma once

#include "base/Amount.h"
#include "counter/PaymentSplit.h"
#include "sale/Sale.h"

#include <QDialog>

#include <utility>
#include <vector>

class QLabel;
class QLineEdit;

// 支付方式: one amount box per method, what is still owed and the change as
// the cashier types, the remainder offered in the next empty box. Enter
// confirms from any box; parts that cannot settle the payable are refused
// with the reason and the dialog stays open.
class PaymentDialog : public QDialog
{
    Q_OBJECT
public:
    // The boxes start with the parts chosen before, to be edited again.
    PaymentDialog(Amount payable, const std::vector<Payment> &chosen, QWidget *parent);

    // The confirmed parts, non-zero, in method order; cash as handed over.
    const std::vector<Payment> &payments() const { return m_payments; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<TypedPart> typed() const;
    void showOwed();
    void offerRemainder(QLineEdit *box);
    void confirm();

    Amount m_payable;
    std::vector<std::pair<PaymentMethod, QLineEdit *>> m_boxes;
    QLabel *m_owed;
    std::vector<Payment> m_payments;
};
