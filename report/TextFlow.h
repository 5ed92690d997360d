#pragma once

#include <QFont>
#include <QString>

// Text measured as it prints, in millimetres: fonts at their point sizes,
// laid out at a printer's resolution, wrapping at word boundaries.
namespace TextFlow {

double WidthMm(const QString &text, const QFont &font);
// How much taller than its first line the text stands when wrapped at widthMm
// (0 when it fits on one line). A single word wider than widthMm overhangs
// rather than wraps.
double GrowthMm(const QString &text, const QFont &font, double widthMm);

} // namespace TextFlow
