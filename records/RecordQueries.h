#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <vector>

// A statement of the records windows with the user's texts as its parameters.
struct BoundQuery
{
    QString statement;
    std::vector<QVariant> parameters;
};

namespace RecordQueries {

inline const QString AllTicketsByNumber = QStringLiteral("select * from xstj order by 单号 asc");

// Tickets with a number, narrowed by each non-empty text: the number and the
// cashier must each contain their text ("%" and "_" act as pattern characters).
BoundQuery TicketsMatching(const QString &number, const QString &cashier);
// Tickets begun on any day from `from` to `to`, both days included.
BoundQuery TicketsBetween(const QDate &from, const QDate &to);
// The sold lines whose ticket number contains `number` literally; an empty
// number gives every line that has a ticket number.
BoundQuery SoldLinesOf(const QString &number);

} // namespace RecordQueries
