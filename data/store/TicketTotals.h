#pragma once

#include <QString>

#include <vector>

// The count of the recorded tickets of xstj and the sums of their 数量, 金额
// and 折后, kept by the engine in a row of their own as tickets are added,
// changed and deleted, so that the list of every ticket is summed without
// reading it. The sums are whole 0.0001s, each ticket's figure rounded so.
namespace TicketTotals {

// Make the row from the tickets there are and keep it: on a file in one
// transaction with its tables; on a server at each connection, under the
// creation lock (only the first makes it).
std::vector<QString> FileStatements();
std::vector<QString> ServerStatements();
// Whether a file has it whole: its table and triggers, among the names of sqlite_master.
bool IsIn(const QStringList &names);

// The count, then the sums of 数量, 金额 and 折后.
QString Query();

} // namespace TicketTotals
