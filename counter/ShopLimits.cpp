#include "counter/ShopLimits.h"

#include "base/Amount.h"

QString ShopNumberWarning(long double value, const QString &field)
{
    return Amount(value).limitWarning(field);
}

QString LineLimitWarning(const LineFigures &line, const TicketTotals &otherLines)
{
    const std::pair<long double, const char *> figures[] = {
        {line.price, "单价"},
        {line.quantity, "数量"},
        {line.amount, "金额"},
        {line.discounted, "折后"},
        {otherLines.quantity + line.quantity, "合计数量"},
        {otherLines.amount + line.amount, "合计金额"},
        {otherLines.afterDiscount + line.discounted, "合计折后"},
    };
    for (const auto &[value, field] : figures)
        if (const QString warning = ShopNumberWarning(value, QString::fromUtf8(field)); !warning.isEmpty())
            return warning;
    return QString();
}
