#include "data/shop/CurrentTicket.h"

#include "base/AppError.h"
#include "base/NumberText.h"
#include "data/store/ReopenQuery.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"

#include <utility>

namespace CurrentTicket {

void Open(RowSet &lines)
{
    ReopenQuery(lines, QStringLiteral("select * from xsxx"));
}

void PostLine(RowSet &lines, const QString &ticketNumber, const QString &time, const TicketLine &line)
{
    long double value = 0;
    if (!TryTextToNumber(line.amount, value) || !TryTextToNumber(line.discounted, value)) {
        lines.cancel();
        throw AppError(QStringLiteral("“%1”这一行的金额（%2）或折后金额（%3）不是数字，这一行没有保存")
                           .arg(line.name, line.amount, line.discounted));
    }
    const std::pair<QString, QString> fields[] = {
        {QStringLiteral("单号"), ticketNumber},   {QStringLiteral("时间"), time},
        {QStringLiteral("品名"), line.name},      {QStringLiteral("单价"), line.price},
        {QStringLiteral("数量"), line.quantity},  {QStringLiteral("金额"), line.amount},
        {QStringLiteral("折后"), line.discounted}};
    for (const auto &[column, text] : fields)
        lines.setText(column, text);
    lines.post();
}

std::vector<SaleLine> Lines(Session &session)
{
    Statement rows(session.file(), QStringLiteral("select 品名, 单价, 数量, 金额, 折后 from xsxx order by ID"));
    std::vector<SaleLine> lines;
    const auto figure = [&rows](int column) { return Amount(rows.value(column).toDouble()); };
    while (rows.step())
        lines.push_back({rows.value(0).toString(), figure(1), figure(2), figure(3), figure(4)});
    return lines;
}

std::vector<SaleLine> Lines(const RowSet &lines)
{
    const auto column = [&lines](const char *name) { return lines.columnIndex(QString::fromUtf8(name)); };
    const int name = column("品名"), price = column("单价"), quantity = column("数量"), amount = column("金额"),
              discounted = column("折后");
    std::vector<SaleLine> sold;
    for (int row = 0; row < lines.recordCount(); ++row) {
        const auto figure = [&](int at) { return Amount(lines.rawAt(row, at).toDouble()); };
        sold.push_back(
            {lines.rawAt(row, name).toString(), figure(price), figure(quantity), figure(amount), figure(discounted)});
    }
    return sold;
}

void Clear(Session &session)
{
    session.exec(QStringLiteral("delete from xsxx"));
}

} // namespace CurrentTicket
