#include "tests/support/TicketEntry.h"

#include "data/store/RowSet.h"

void AddTicketLine(RowSet &lines, const QString &name, const QString &price, const QString &quantity,
                   const QString &amount, const QString &discounted)
{
    lines.append();
    lines.setText(QStringLiteral("品名"), name);
    lines.setText(QStringLiteral("单价"), price);
    lines.setText(QStringLiteral("数量"), quantity);
    lines.setText(QStringLiteral("金额"), amount);
    lines.setText(QStringLiteral("折后"), discounted);
    lines.post();
}
