#pragma once

#include <QDialog>

class QDateEdit;
class QTableWidget;
class ReceiptPrinter;
class Session;

// 交班记录: the closed shifts that ended within a span of days, latest first;
// reprints the one chosen. Closed shifts are only read here.
class ShiftHistoryWindow : public QDialog
{
    Q_OBJECT
public:
    ShiftHistoryWindow(Session &session, ReceiptPrinter &printer, QWidget *parent = nullptr);

    void reload();

private:
    void reprint();

    Session &m_session;
    ReceiptPrinter &m_printer;
    QDateEdit *m_from;
    QDateEdit *m_to;
    QTableWidget *m_table;
};
