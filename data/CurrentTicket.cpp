#include "data/CurrentTicket.h"

#include "data/Connection.h"
#include "data/RowSet.h"
#include "data/mylib.h"

namespace CurrentTicket {

void Open(RowSet &lines)
{
    ReopenQuery(lines, QStringLiteral("select * from xsxx"));
}

std::vector<TicketLine> Lines(const RowSet &lines)
{
    const auto column = [&lines](const char *name) { return lines.columnIndex(QString::fromUtf8(name)); };
    const int name = column("品名"), price = column("单价"), quantity = column("数量"), amount = column("金额"),
              discounted = column("折后");
    std::vector<TicketLine> values;
    values.reserve(size_t(lines.recordCount()));
    for (int row = 0; row < lines.recordCount(); ++row)
        values.push_back({lines.textAt(row, name), lines.textAt(row, price), lines.textAt(row, quantity),
                          lines.textAt(row, amount), lines.textAt(row, discounted)});
    return values;
}

void Clear(Connection &session)
{
    session.exec(QStringLiteral("delete from xsxx"));
}

} // namespace CurrentTicket
