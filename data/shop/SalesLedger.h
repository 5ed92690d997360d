#pragma once

#include "data/shop/TicketFilter.h"
#include "sale/Sale.h"

#include <QString>

#include <optional>
#include <vector>

class Session;
class RowSet;

// The recorded sales: one row per ticket in xstj, one per sold line in xsmx.
// Each operation lists into a row set that can delete the rows it shows, each
// deletion journalled; the ticket lists show the columns the statistics list
// has always shown, then 支付方式: how each ticket was paid. The ticket lists
// and the list of every line are read a page at a time and summed by the
// engine, so they cost the same at any length of the history.
namespace SalesLedger {

// The tickets a filter covers: a span of days in time order, the others in stored order.
void OpenTickets(RowSet &tickets, const TicketFilter &filter);
// Every ticket, in ticket-number order.
void OpenTicketsByNumber(RowSet &tickets);
// The sold lines whose ticket number contains `number` literally; an empty
// number gives every line that has a ticket number.
void OpenSoldLines(RowSet &lines, const QString &number);

// The last sale recorded under exactly `number`, as it was printed: its row of
// xstj, its lines of xsmx and its parts of zfmx (none for a sale recorded
// before payments were kept); none when no ticket has that number.
std::optional<Sale> FindSale(Session &session, const QString &number);

} // namespace SalesLedger
