#pragma once

#include <QString>
#include <QStringList>

// A receipt's figure in the pattern "0.00": the text read as a number (0 when
// it is none), rounded to cents halves away from zero as judged on its
// 18-digit decimal image, always with two decimals: "12.5" gives "12.50".
QString FormatFigure(const QString &text);

// The lines of a remark as a memo holds them: split at line breaks, a final
// line break adding no empty line.
QStringList MemoLines(const QString &remark);
