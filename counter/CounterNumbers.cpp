#include "counter/CounterNumbers.h"

#include "data/NumberText.h"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kImageDigits = 18;

// The value's decimal image as digits d1..d18 and an exponent e with
// |value| = 0.d1d2...d18 × 10^e.
struct DecimalImage
{
    QByteArray digits;
    int exponent = 0;
};

DecimalImage ImageOf(long double magnitude)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kImageDigits - 1, magnitude);
    // buffer: "d.ddddddddddddddddde+XX"
    DecimalImage image;
    image.digits.append(buffer[0]);
    image.digits.append(buffer + 2, kImageDigits - 1);
    image.exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
    return image;
}

} // namespace

QString RoundDecimalImage(long double value, int decimals)
{
    const bool negative = std::signbit(value);
    const DecimalImage image = ImageOf(std::fabs(value));
    if (image.digits.count('0') == image.digits.size())
        return QStringLiteral("0");

    // Keep the digits up to the last wanted decimal place; the next one decides.
    const int keep = image.exponent + decimals;
    if (keep < 0)
        return QStringLiteral("0");
    QByteArray kept;
    if (keep < kImageDigits) {
        kept = image.digits.left(keep);
        if (image.digits.at(keep) >= '5') {
            int i = kept.size() - 1;
            while (i >= 0 && kept[i] == '9')
                kept[i--] = '0';
            if (i >= 0)
                kept[i] = char(kept[i] + 1);
            else
                kept.prepend('1');
        }
    } else {
        kept = image.digits + QByteArray(keep - kImageDigits, '0');
    }

    // kept holds the digits of |value| × 10^decimals as an integer.
    const int integerDigits = kept.size() - decimals;
    QByteArray integerPart = integerDigits > 0 ? kept.left(integerDigits) : QByteArray();
    QByteArray fraction = integerDigits >= 0 ? kept.mid(integerDigits)
                                             : QByteArray(-integerDigits, '0') + kept;
    while (integerPart.size() > 1 && integerPart.startsWith('0'))
        integerPart.remove(0, 1);
    if (integerPart.isEmpty())
        integerPart = "0";
    while (fraction.endsWith('0'))
        fraction.chop(1);
    if (integerPart == "0" && fraction.isEmpty())
        return QStringLiteral("0");

    QByteArray text = negative ? QByteArray("-") : QByteArray();
    text += integerPart;
    if (!fraction.isEmpty())
        text += '.' + fraction;
    return QString::fromLatin1(text);
}

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

QString FormatDisplay(double value, const QString &pattern)
{
    const int point = pattern.indexOf(QLatin1Char('.'));
    const QString places = point < 0 ? QString() : pattern.mid(point + 1);
    QString text = RoundDecimalImage(value, int(places.size()));
    const int required = int(places.count(QLatin1Char('0')));
    if (required > 0) {
        int dot = int(text.indexOf(QLatin1Char('.')));
        if (dot < 0) {
            text += QLatin1Char('.');
            dot = int(text.size()) - 1;
        }
        const int shown = int(text.size()) - dot - 1;
        if (shown < required)
            text += QString(required - shown, QLatin1Char('0'));
    }
    return text;
}

void FourDecimalSum::add(double value)
{
    m_units += std::llrint(static_cast<long double>(value) * 10000.0L);
}

long double FourDecimalSum::value() const
{
    return static_cast<long double>(m_units) / 10000.0L;
}
