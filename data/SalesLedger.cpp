#include "data/SalesLedger.h"

#include "data/mylib.h"

#include <QVariant>

#include <vector>

namespace SalesLedger {

void OpenTickets(RowSet &tickets)
{
    ReopenQuery(tickets, QStringLiteral("select * from xstj"));
}

void OpenTicketsByNumber(RowSet &tickets)
{
    ReopenQuery(tickets, QStringLiteral("select * from xstj order by 单号 asc"));
}

void OpenTicketsMatching(RowSet &tickets, const QString &number, const QString &cashier)
{
    QString statement = QStringLiteral("select * from xstj where 单号<>''");
    std::vector<QVariant> parameters;
    const auto containing = [&](const char *column, const QString &text) {
        if (text.isEmpty())
            return;
        parameters.push_back(text);
        statement += QStringLiteral(" and %1 like '%' || ?%2 || '%'")
                         .arg(QString::fromUtf8(column))
                         .arg(parameters.size());
    };
    containing("单号", number);
    containing("收银员", cashier);
    ReopenQuery(tickets, statement, parameters);
}

void OpenTicketsBetween(RowSet &tickets, const QDate &from, const QDate &to)
{
    // 时间 holds "yyyy-MM-dd HH:mm:ss", so text order is time order and the
    // span runs from the from-day's midnight up to the midnight after the to-day.
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    ReopenQuery(tickets, QStringLiteral("select * from xstj where 时间 >= ?1 and 时间 < ?2"),
                {from.toString(dayFormat) + QStringLiteral(" 00:00:00"),
                 to.addDays(1).toString(dayFormat) + QStringLiteral(" 00:00:00")});
}

void OpenSoldLines(RowSet &lines, const QString &number)
{
    if (number.isEmpty()) {
        ReopenQuery(lines, QStringLiteral("select * from xsmx where 单号<>''"));
        return;
    }
    // A number that contains the searched one is that number or a longer one:
    // each branch has an index (on 单号 and on its length), where a bare
    // substring test reads every line. The unary plus keeps the planner from
    // walking the whole table in 序号 order; the few lines found are sorted after.
    ReopenQuery(lines,
                QStringLiteral("select * from xsmx where 单号 = ?1 "
                               "or (length(单号) > length(?1) and instr(单号, ?1) > 0) order by +序号"),
                {number});
}

} // namespace SalesLedger
