#include "records/PriceCheck.h"

#include "base/NumberText.h"
#include "counter/ShopLimits.h"

QString PriceProblem(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("单价不能为空！");
    long double value = 0;
    if (!TryTextToNumber(text, value))
        return QStringLiteral("单价不是有效的数字！");
    if (!ShopNumberWarning(value, QStringLiteral("单价")).isEmpty())
        return QStringLiteral("单价超出范围！");
    return {};
}
