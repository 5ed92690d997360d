#pragma once

#include "counter/TicketTotals.h"
#include "data/store/RowSet.h"
#include "sale/Sale.h"

#include <QObject>

#include <functional>

class DataGrid;
class LineEntry;
class PaymentEntry;
class QLabel;
class QToolButton;
class QWidget;
class Session;
struct EnteredLine;
namespace Ui {
class CounterWindow;
}

// The ticket's number and time as the header shows them when a line is stored.
struct TicketStamp
{
    QString number, time;
};

// The current ticket's lines (xsxx): added from the line entry, a clicked one
// taken back into it to be modified or deleted, shown in the grid, and
// totalled below it and in the payment.
class TicketLines : public QObject
{
    Q_OBJECT
public:
    TicketLines(const Ui::CounterWindow &form, Session &session, LineEntry &entry, PaymentEntry &payment,
                std::function<TicketStamp()> stamp, QWidget &window);

    // Reads the ticket's lines from the data file.
    void open();
    bool isEmpty() const { return m_lines.recordCount() == 0; }
    // The lines as values, in the order the grid lists them.
    std::vector<SaleLine> lines() const;
    // The totals of the lines as they are, shown and payable.
    void refreshTotals();
    // The next ticket starts from nothing.
    void clearTotals();

    // Add appends the entered line; modify replaces the current one; delete
    // removes it at once, without a question.
    void addLine();
    // A scanned line: one more of the product on the last line when it is the
    // same product at the same price, sold by the piece; otherwise added.
    void addScanned(bool byThePiece);

private:
    void modifyLine();
    void deleteLine();
    void loadClickedLine();
    void storeLine(const EnteredLine &line);
    bool withinLimits(const EnteredLine &line, bool replacingCurrent);
    void showEntering(bool entering);
    void fitTotals();

    QWidget &m_window;
    LineEntry &m_entry;
    PaymentEntry &m_payment;
    std::function<TicketStamp()> m_stamp;
    RowSet m_lines; // the current ticket's lines, as the grid shows them
    TicketTotals m_totals;
    QToolButton *m_add, *m_modify, *m_delete;
    DataGrid *m_grid;
    QLabel *m_totalQuantity, *m_totalAmount, *m_totalDiscounted;
    bool m_lastLineWeighed = false; // never merged with
};
