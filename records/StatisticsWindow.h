#pragma once

#include "data/shop/TicketFilter.h"
#include "data/store/RowSet.h"

#include <QDialog>

class Session;
class DataGrid;
class QCheckBox;
class QDateEdit;
class QLineEdit;
class QShowEvent;
class QToolButton;
class ReceiptPrinter;
class SaleDetailWindow;

// The sales statistics: lists, searches, deletes and exports the recorded
// tickets of xstj; a double-click shows a ticket's sold lines in the detail
// window. It reprints a ticket's receipt, takes a return against it, and
// reports and charts the sales of the tickets listed.
class StatisticsWindow : public QDialog
{
    Q_OBJECT
public:
    StatisticsWindow(Session &session, SaleDetailWindow &detailWindow, ReceiptPrinter &printer,
                     QWidget *parent = nullptr);
    ~StatisticsWindow() override;

    // Brings the window up to date before each opening: lists every ticket,
    // as the data file holds them now, in ticket-number order.
    void reload();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildLayout();
    void connectHandlers();
    void resetSearch();
    void switchDateSearch();
    void exportTickets();
    void deleteCurrentTicket();
    void searchTickets();
    void listAllTickets();
    void listTickets(const TicketFilter &filter);
    QString currentNumber() const; // the selected ticket's; empty when none
    void showCurrentTicketDetail();
    void reprintCurrentTicket();
    void returnCurrentTicket();
    void showDayEnd();
    void showChart();

    RowSet m_tickets;
    TicketFilter m_filter; // the tickets listed
    SaleDetailWindow &m_detailWindow;
    ReceiptPrinter &m_printer;
    QToolButton *m_exportButton = nullptr;
    QToolButton *m_deleteButton = nullptr;
    QToolButton *m_closeButton = nullptr;
    QLineEdit *m_numberEdit = nullptr;
    QLineEdit *m_cashierEdit = nullptr;
    QToolButton *m_searchButton = nullptr;
    QCheckBox *m_byDatesBox = nullptr;
    QDateEdit *m_fromDate = nullptr;
    QDateEdit *m_toDate = nullptr;
    QToolButton *m_refreshButton = nullptr;
    QToolButton *m_reprintButton = nullptr;
    QToolButton *m_dayEndButton = nullptr;
    QToolButton *m_chartButton = nullptr;
    QToolButton *m_returnButton = nullptr;
    DataGrid *m_ticketGrid = nullptr;
    QLineEdit *m_detailNumberEdit = nullptr; // hidden: the number handed to the detail window
};
