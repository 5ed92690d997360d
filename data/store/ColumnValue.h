#pragma once

#include "data/store/RowSet.h"

#include <QString>
#include <QVariant>

// How texts become column values and back.
// Number: empty text is NULL, other text is read as a decimal number.
// DateTime: "yyyy-mm-dd hh:mm:ss" (the ticket time), kept in that form.
// Text: unchanged. NULL reads back as empty text.

// Throws ConversionError naming the text and the field when the column refuses it.
QVariant ColumnValueFromText(ColumnKind kind, const QString &text, const QString &field);
QString ColumnValueToText(ColumnKind kind, const QVariant &value);
// The kind a declared column type stands for.
ColumnKind ColumnKindOfDeclaredType(const QString &declaredType);
