#include "counter/TicketTotals.h"

#include "counter/CounterNumbers.h"
#include "data/store/RowSet.h"

namespace {

long double SumColumn(const RowSet &lines, const char *name)
{
    FourDecimalSum sum;
    const int column = lines.columnIndex(QString::fromUtf8(name));
    if (column < 0)
        return 0;
    for (int row = 0; row < lines.recordCount(); ++row) {
        const QVariant stored = lines.rawAt(row, column);
        if (!stored.isNull())
            sum.add(stored.toDouble());
    }
    return sum.value();
}

} // namespace

TicketTotals SumTicketLines(const RowSet &lines)
{
    return {SumColumn(lines, "数量"), SumColumn(lines, "金额"), SumColumn(lines, "折后")};
}
