#include "base/Amount.h"

#include "base/AppError.h"

#include <QByteArray>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// 10^n in extended precision; exact up to 10^27.
long double powerOfTen(int n)
{
    long double result = 1.0L;
    long double base = 10.0L;
    for (unsigned e = static_cast<unsigned>(n); e; e >>= 1) {
        if (e & 1)
            result *= base;
        base *= base;
    }
    return result;
}

bool ReadNumber(const QString &text, long double &value)
{
    int i = 0;
    const int n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        negative = text[i++] == QLatin1Char('-');

    QByteArray digits; // significant digits, without leading zeros
    int scale = 0; // power of ten applied to the digits
    bool any = false;
    auto takeDigit = [&](QChar c, bool afterPoint) {
        if (!(digits.isEmpty() && c == QLatin1Char('0')))
            digits.append(char(c.unicode()));
        if (afterPoint)
            --scale;
    };
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        takeDigit(text[i++], false);
        any = true;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        any = true;
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128)
            takeDigit(text[i++], true);
    }
    if (!any)
        return false;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            expNegative = text[i++] == QLatin1Char('-');
        if (!(i < n && text[i].isDigit() && text[i].unicode() < 128))
            return false;
        long exponent = 0;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            exponent = exponent * 10 + text[i++].digitValue();
            if (exponent > 100000)
                return false;
        }
        scale += expNegative ? -int(exponent) : int(exponent);
    }
    while (i < n && isBlank(text[i]))
        ++i;
    if (i != n)
        return false;

    long double result = 0.0L;
    if (!digits.isEmpty()) {
        if (digits.size() <= 19 && std::abs(scale) <= 27) {
            // The digits as an integer, scaled once: correctly rounded.
            const long double mantissa = static_cast<long double>(std::strtoull(digits.constData(), nullptr, 10));
            result = scale < 0 ? mantissa / powerOfTen(-scale) : mantissa * powerOfTen(scale);
        } else {
            const QByteArray image = digits + 'e' + QByteArray::number(scale);
            result = std::strtold(image.constData(), nullptr);
        }
        if (std::isinf(result))
            return false;
    }
    value = negative ? -result : result;
    return true;
}

QString WrittenNumber(long double value)
{
    if (value == 0.0L || std::isnan(value))
        return QStringLiteral("0");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    // Decimal image of 18 significant digits, then 15 digits, halves away from zero.
    char image[64];
    std::snprintf(image, sizeof image, "%.17Le", std::fabs(value));
    QByteArray digits;
    const char *p = image;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.append(*p);
    int exponent = std::atoi(p + 1) + 1; // value = 0.d1d2... × 10^exponent

    const bool roundUp = digits[15] >= '5';
    digits.truncate(15);
    if (roundUp) {
        int k = 14;
        while (k >= 0 && digits[k] == '9')
            digits[k--] = '0';
        if (k < 0) {
            digits.prepend('1');
            digits.truncate(15);
            ++exponent;
        } else {
            digits[k] = char(digits[k] + 1);
        }
    }
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);

    QString out = value < 0 ? QStringLiteral("-") : QString();
    const QString d = QString::fromLatin1(digits);
    if (exponent >= -3 && exponent <= 15) {
        if (exponent <= 0) {
            out += QStringLiteral("0.") + QString(-exponent, QLatin1Char('0')) + d;
        } else if (d.size() <= exponent) {
            out += d + QString(exponent - d.size(), QLatin1Char('0'));
        } else {
            out += d.left(exponent) + QLatin1Char('.') + d.mid(exponent);
        }
    } else {
        out += d.left(1);
        if (d.size() > 1)
            out += QLatin1Char('.') + d.mid(1);
        out += QLatin1Char('E') + QString::number(exponent - 1);
    }
    return out;
}

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

QString RoundedImage(long double value, int decimals)
{
    // Files written before numbers were bounded may hold an infinity: it shows as its text.
    if (!std::isfinite(value))
        return WrittenNumber(value);
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
    QByteArray fraction = integerDigits >= 0 ? kept.mid(integerDigits) : QByteArray(-integerDigits, '0') + kept;
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

QString Displayed(long double value, const QString &pattern)
{
    const int point = pattern.indexOf(QLatin1Char('.'));
    const QString places = point < 0 ? QString() : pattern.mid(point + 1);
    QString text = RoundedImage(value, int(places.size()));
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

// Two decimals, ties to even, on binary values: the value goes to double, is
// divided by the double nearest 0.01, rounded to an integer and multiplied back.
long double RoundedOnBinary(long double value)
{
    const double x = static_cast<double>(value);
    const double cent = 0.01;
    const long double quotient = static_cast<long double>(x) / static_cast<long double>(cent);
    const long double whole = std::nearbyint(quotient); // ties to even
    return static_cast<double>(whole * static_cast<long double>(cent));
}

} // namespace

Amount Amount::fromText(const QString &text)
{
    long double value = 0.0L;
    if (!ReadNumber(text, value))
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

std::optional<Amount> Amount::tryFromText(const QString &text)
{
    long double value = 0.0L;
    if (!ReadNumber(text, value))
        return std::nullopt;
    return Amount(value);
}

QString Amount::text() const
{
    return WrittenNumber(m_value);
}

QString Amount::roundedText(int decimals) const
{
    return RoundedImage(m_value, decimals);
}

Amount Amount::cents() const
{
    return fromText(roundedText(2));
}

Amount Amount::total() const
{
    // Read back from its text, as the counter's figures always were: what
    // follows from a total (the change) is worked out on the value shown.
    return fromText(Amount(RoundedOnBinary(fromText(text()).m_value)).text());
}

Amount Amount::whole() const
{
    return std::trunc(m_value);
}

QString Amount::display(const QString &pattern) const
{
    return Displayed(m_value, pattern);
}

QString Amount::displayText() const
{
    return display(QStringLiteral("#0.##"));
}

QString Amount::figureText() const
{
    return display(QStringLiteral("0.00"));
}

bool Amount::withinLimit() const
{
    return std::isfinite(m_value) && std::fabs(m_value) <= kLimit;
}

QString Amount::limitWarning(const QString &field) const
{
    if (withinLimit())
        return QString();
    return QStringLiteral("%1超出范围：绝对值不能超过 100000000000。").arg(field);
}

void FourDecimalSum::add(double value)
{
    m_units += std::llrint(static_cast<long double>(value) * 10000.0L);
}

long double FourDecimalSum::value() const
{
    return static_cast<long double>(m_units) / 10000.0L;
}
