#pragma once

#include "data/shop/Shift.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class ReceiptPrinter;
class Session;

// 交班: the open shift's report with its float (correctable) and a box for the
// counted cash, the difference following it. Confirming records the shift,
// prints the report on the receipt printer and opens the drawer once.
class ShiftWindow : public QDialog
{
    Q_OBJECT
public:
    ShiftWindow(Session &session, ReceiptPrinter &printer, QWidget *parent = nullptr);

private:
    void showReport();
    void confirm();

    Session &m_session;
    ReceiptPrinter &m_printer;
    Shift::Report m_shift;
    QPlainTextEdit *m_text;
    QLineEdit *m_floatBox;
    QLineEdit *m_countedBox;
    QLabel *m_difference;
};
