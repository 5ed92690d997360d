#include "data/CurrentTicket.h"

#include "data/ColumnValue.h"
#include "data/Connection.h"
#include "data/mylib.h"

namespace CurrentTicket {

void Open(RowSet &lines)
{
    ReopenQuery(lines, QStringLiteral("select * from xsxx"));
}

std::vector<TicketLine> Lines(Connection &session)
{
    Statement rows(session, QStringLiteral("select 品名, 单价, 数量, 金额, 折后 from xsxx order by ID"));
    std::vector<TicketLine> lines;
    const auto number = [&rows](int column) { return ColumnValueToText(ColumnKind::Number, rows.value(column)); };
    while (rows.step())
        lines.push_back({rows.value(0).toString(), number(1), number(2), number(3), number(4)});
    return lines;
}

void Clear(Connection &session)
{
    session.exec(QStringLiteral("delete from xsxx"));
}

} // namespace CurrentTicket
