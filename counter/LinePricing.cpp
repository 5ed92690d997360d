#include "counter/LinePricing.h"

#include "base/AppError.h"
#include "base/NumberText.h"

#include <utility>

long double LineAmount(const QString &price, const QString &quantity)
{
    const long double p = TextToNumber(price);
    const long double q = TextToNumber(quantity);
    return q * p;
}

LineAmounts PriceLine(const QString &price, const QString &quantity, const QString &discount)
{
    const long double amount = LineAmount(price, quantity);
    return {NumberToText(amount), NumberToText(DiscountedAmount(discount, amount))};
}

LineAmounts PriceLineToStore(const QString &price, const QString &quantity, const QString &discount)
{
    const std::pair<QString, QString> fields[] = {
        {QStringLiteral("单价"), price}, {QStringLiteral("数量"), quantity}, {QStringLiteral("折扣"), discount}};
    for (const auto &[name, text] : fields) {
        long double value = 0;
        if (!TryTextToNumber(text, value))
            throw AppError(QStringLiteral("%1“%2”不是数字，无法计算这一行的金额，这一行没有保存").arg(name, text));
    }
    return PriceLine(price, quantity, discount);
}

long double DiscountedAmount(const QString &discount, long double amount)
{
    const long double tenth = 0.1L;
    return (TextToNumber(discount) * amount) * tenth;
}

QString LineDiscount(const QString &amount, const QString &discounted)
{
    long double full = 0, after = 0;
    if (!TryTextToNumber(amount, full) || !TryTextToNumber(discounted, after) || full == 0)
        return QStringLiteral("10");
    return RoundDecimalImage(after / full * 10, 2);
}

QStringList DiscountSteps()
{
    QStringList steps{QStringLiteral("10")};
    for (int tenths = 99; tenths >= 1; --tenths)
        steps << QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
    return steps;
}

QString TotalText(long double sum)
{
    return Amount(sum).total().text();
}

QString ChangeText(const QString &paid, const QString &payable)
{
    if (paid.isEmpty() || payable.isEmpty())
        return QString();
    return (Amount::fromText(paid) - Amount::fromText(payable)).text();
}

QString DropFraction(const QString &amount)
{
    return Amount::fromText(amount).whole().text();
}
