#include "base/NumberText.h"

long double TextToNumber(const QString &text)
{
    return Amount::fromText(text).value();
}

bool TryTextToNumber(const QString &text, long double &value)
{
    const std::optional<Amount> amount = Amount::tryFromText(text);
    if (amount)
        value = amount->value();
    return amount.has_value();
}

QString NumberToText(long double value)
{
    return Amount(value).text();
}

QString RoundDecimalImage(long double value, int decimals)
{
    return Amount(value).roundedText(decimals);
}

QString FormatDisplay(double value, const QString &pattern)
{
    return Amount(value).display(pattern);
}
