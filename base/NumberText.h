#pragma once

#include "base/Amount.h"

#include <QString>

// The number texts of the counter as free functions, each the Amount rule of
// the same name: see base/Amount.h.

// Throws ConversionError "'%s' is not a valid floating point value" for what is no number.
long double TextToNumber(const QString &text);
// Same grammar without throwing; returns false on failure.
bool TryTextToNumber(const QString &text, long double &value);
// Shortest text of the value at 15 significant digits.
QString NumberToText(long double value);
// Rounds to `decimals` places, halves away from zero on the 18-digit decimal image.
QString RoundDecimalImage(long double value, int decimals);
// A number in a display pattern such as "#0.##".
QString FormatDisplay(double value, const QString &pattern);
