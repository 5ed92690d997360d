#pragma once

#include "data/store/RowSet.h"

#include <QDialog>

class Session;
class QLabel;
class ReceiptPrinter;

// The sales detail: the sold lines of one recorded ticket, read-only, the
// returns made against it, the reprint of its receipt and a return of it.
class SaleDetailWindow : public QDialog
{
    Q_OBJECT
public:
    SaleDetailWindow(Session &session, ReceiptPrinter &printer, QWidget *parent = nullptr);
    ~SaleDetailWindow() override;

    // Lists the lines whose ticket number contains `number`, as the data file
    // holds them now (every line with a ticket number when it is empty).
    void showTicket(const QString &number);

private:
    void reprintTicket();
    void returnTicket();

    RowSet m_lines;
    QLabel *m_returns = nullptr;
    ReceiptPrinter &m_printer;
    QString m_number; // the ticket shown
};
