#pragma once

#include <QDate>
#include <QString>

class RowSet;

// The recorded sales: one row per ticket in xstj, one per sold line in xsmx.
// Each operation lists into a row set that can delete the rows it shows.
namespace SalesLedger {

// Every ticket, in stored order.
void OpenTickets(RowSet &tickets);
// Every ticket, in ticket-number order.
void OpenTicketsByNumber(RowSet &tickets);
// Tickets with a number, narrowed by each non-empty text: the number and the
// cashier must each contain their text ("%" and "_" act as pattern characters).
void OpenTicketsMatching(RowSet &tickets, const QString &number, const QString &cashier);
// Tickets begun on any day from `from` to `to`, both days included.
void OpenTicketsBetween(RowSet &tickets, const QDate &from, const QDate &to);
// The sold lines whose ticket number contains `number` literally; an empty
// number gives every line that has a ticket number.
void OpenSoldLines(RowSet &lines, const QString &number);

} // namespace SalesLedger
