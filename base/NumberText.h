#pragma once

#include <QString>

// Conversions between the counter's number texts and extended-precision values.
// "." is the decimal separator in every text.

// Reads a decimal number (optional sign, digits with an optional point, optional
// exponent, blanks around). A lone "." reads as 0. Throws ConversionError
// "'%s' is not a valid floating point value" for anything else.
long double TextToNumber(const QString &text);

// Same grammar without throwing; returns false on failure.
bool TryTextToNumber(const QString &text, long double &value);

// Shortest text of the value at 15 significant digits: plain notation for
// exponents -3..15 of 0.d1d2..×10^e, otherwise scientific ("1E-5", "1.5E20").
QString NumberToText(long double value);

// Rounds to `decimals` places, halves away from zero, as judged on the value's
// decimal image of 18 significant digits (so 2.675 gives 2.68 while the double
// nearest 9.405, which lies just below it, gives 9.4). Returns plain decimal
// text without trailing zeros and without a sign on zero: "2.68", "7", "-0.5".
QString RoundDecimalImage(long double value, int decimals);

// A number in a display pattern such as "#0.##": at least one integer digit,
// as many decimals as the pattern has places after the point, trailing zeros
// dropped except where the pattern writes "0". No grouping.
QString FormatDisplay(double value, const QString &pattern);
