#include "records/RecordQueries.h"

namespace RecordQueries {

BoundQuery TicketsMatching(const QString &number, const QString &cashier)
{
    BoundQuery query{QStringLiteral("select * from xstj where 单号<>''"), {}};
    const auto containing = [&query](const char *column, const QString &text) {
        if (text.isEmpty())
            return;
        query.parameters.push_back(text);
        query.statement += QStringLiteral(" and %1 like '%' || ?%2 || '%'")
                               .arg(QString::fromUtf8(column))
                               .arg(query.parameters.size());
    };
    containing("单号", number);
    containing("收银员", cashier);
    return query;
}

BoundQuery TicketsBetween(const QDate &from, const QDate &to)
{
    // 时间 holds "yyyy-MM-dd HH:mm:ss", so text order is time order and the
    // span runs from the from-day's midnight up to the midnight after the to-day.
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    return {QStringLiteral("select * from xstj where 时间 >= ?1 and 时间 < ?2"),
            {from.toString(dayFormat) + QStringLiteral(" 00:00:00"),
             to.addDays(1).toString(dayFormat) + QStringLiteral(" 00:00:00")}};
}

BoundQuery SoldLinesOf(const QString &number)
{
    if (number.isEmpty())
        return {QStringLiteral("select * from xsmx where 单号<>''"), {}};
    // A number that contains the searched one is that number or a longer one:
    // each branch has an index (on 单号 and on its length), where a bare
    // substring test reads every line. The unary plus keeps the planner from
    // walking the whole table in 序号 order; the few lines found are sorted after.
    return {QStringLiteral("select * from xsmx where 单号 = ?1 "
                           "or (length(单号) > length(?1) and instr(单号, ?1) > 0) order by +序号"),
            {number}};
}

} // namespace RecordQueries
