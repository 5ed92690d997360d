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
