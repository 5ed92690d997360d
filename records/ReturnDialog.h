#pragma once

#include "data/shop/SaleReturns.h"

#include <QDialog>

#include <vector>

class Session;
class QComboBox;
class QLineEdit;

// 退货: the lines of one recorded sale, each with its quantity sold, what
// earlier returns took back and a box for this return's quantity (empty: none
// of it), and the method the money goes back by. 确定 (or Enter) builds the
// return; a refusal is shown and the dialog stays open.
class ReturnDialog : public QDialog
{
    Q_OBJECT
public:
    ReturnDialog(Session &session, SaleReturns::Returnable returnable, QWidget *parent = nullptr);
    ~ReturnDialog() override;

    // The return confirmed; valid once the dialog was accepted.
    const Sale &saleReturn() const { return m_return; }

private:
    void confirm();

    Session &m_session;
    SaleReturns::Returnable m_returnable;
    Sale m_return;
    std::vector<QLineEdit *> m_quantities; // one per line of the sale
    QComboBox *m_method = nullptr;
};
