#pragma once

#include "base/Amount.h"

#include <QString>

// Normalises a shown number to at most two decimals: "12.50" gives "12.5",
// "3.456" gives "3.46". Throws ConversionError for text that is no number.
QString RoundToCents(const QString &text);
