#include "counter/CounterNumbers.h"

#include "base/NumberText.h"

#include <cmath>

QString RoundToCents(const QString &text)
{
    return NumberToText(TextToNumber(RoundDecimalImage(TextToNumber(text), 2)));
}

long double RoundTotal(long double value)
{
    const double x = static_cast<double>(value);
    const double cent = 0.01;
    const long double quotient = static_cast<long double>(x) / static_cast<long double>(cent);
    const long double whole = std::nearbyint(quotient); // ties to even
    return static_cast<double>(whole * static_cast<long double>(cent));
}

void FourDecimalSum::add(double value)
{
    m_units += std::llrint(static_cast<long double>(value) * 10000.0L);
}

long double FourDecimalSum::value() const
{
    return static_cast<long double>(m_units) / 10000.0L;
}
