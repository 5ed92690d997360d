#pragma once

#include "data/shop/CurrentTicket.h"
#include "data/shop/TicketFilter.h"

#include <QString>

#include <optional>
#include <vector>

class Session;
class RowSet;

// A recorded sale as it was printed: its row of xstj and its lines of xsmx.
// Figures are the stored numbers' texts ("" when none is stored: sales
// recorded before the payment was kept have no paid amount and no change).
struct StoredSale
{
    QString number;
    QString time;
    QString cashier;
    QString totalQuantity;
    QString totalAmount;
    QString totalDiscounted;
    QString paid;
    QString change;
    QString customer; // 客户, 电话, 地址 as the lines carry them
    QString phone;
    QString address;
    std::vector<TicketLine> lines; // in the order they were recorded
};

// The recorded sales: one row per ticket in xstj, one per sold line in xsmx.
// Each operation lists into a row set that can delete the rows it shows; the
// ticket lists show the columns the statistics list has always shown, then
// 支付方式: how each ticket was paid.
namespace SalesLedger {

// The tickets a filter covers: a span of days in time order, the others in stored order.
void OpenTickets(RowSet &tickets, const TicketFilter &filter);
// Every ticket, in ticket-number order.
void OpenTicketsByNumber(RowSet &tickets);
// The sold lines whose ticket number contains `number` literally; an empty
// number gives every line that has a ticket number.
void OpenSoldLines(RowSet &lines, const QString &number);

// The last sale recorded under exactly `number`, with its lines; none when no
// ticket has that number.
std::optional<StoredSale> FindSale(Session &session, const QString &number);

} // namespace SalesLedger
