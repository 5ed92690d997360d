#pragma once

#include "sale/Sale.h"

#include <QString>

#include <vector>

class Session;
class RowSet;

// One line of the ticket being entered, as the counter's fields hold it: each
// figure is the text typed or worked out.
struct TicketLine
{
    QString name; // 品名
    QString price; // 单价
    QString quantity; // 数量
    QString amount; // 金额, before discount
    QString discounted; // 折后
};

// The ticket being entered (xsxx): its lines in the order they were added.
namespace CurrentTicket {

// Lists the lines; the row set appends, modifies and deletes them.
void Open(RowSet &lines);
// Assigns the line and the ticket's number and time to the row being appended
// or modified, and posts it. A line whose amounts are no numbers is not
// stored: the row is dropped and AppError thrown.
void PostLine(RowSet &lines, const QString &ticketNumber, const QString &time, const TicketLine &line);
// The lines as values, read from the data file; a figure not stored reads as 0.
std::vector<SaleLine> Lines(Session &session);
// The same, as a row set opened by Open() lists them.
std::vector<SaleLine> Lines(const RowSet &lines);
// Drops every line: a recorded sale's.
void Clear(Session &session);

} // namespace CurrentTicket
