#include "data/store/ColumnValue.h"

#include "base/AppError.h"
#include "base/NumberText.h"

#include <QDateTime>

#include <cmath>

namespace {

const QString kStoredDateTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QDateTime parseDateTime(const QString &text)
{
    static const QStringList formats = {
        kStoredDateTime,
        QStringLiteral("yyyy-M-d H:m:s"),
        QStringLiteral("yyyy-M-d H:m"),
        QStringLiteral("yyyy-M-d"),
    };
    const QString trimmed = text.trimmed();
    for (const QString &format : formats) {
        const QDateTime dt = QDateTime::fromString(trimmed, format);
        if (dt.isValid())
            return dt;
    }
    return {};
}

} // namespace

QVariant ColumnValueFromText(ColumnKind kind, const QString &text, const QString &field)
{
    switch (kind) {
    case ColumnKind::Text:
        return text;
    case ColumnKind::Number: {
        if (text.isEmpty())
            return {};
        long double value = 0;
        // A number too large for a stored double would be kept as infinity.
        if (!TryTextToNumber(text, value) || !std::isfinite(static_cast<double>(value)))
            throw ConversionError(
                QStringLiteral("'%1' is not a valid floating point value for field '%2'").arg(text, field));
        return static_cast<double>(value);
    }
    case ColumnKind::DateTime: {
        if (text.isEmpty())
            return {};
        const QDateTime dt = parseDateTime(text);
        if (!dt.isValid())
            throw ConversionError(QStringLiteral("'%1' is not a valid date and time for field '%2'").arg(text, field));
        return dt.toString(kStoredDateTime);
    }
    case ColumnKind::AutoNumber:
        throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(field));
    }
    return {};
}

QString ColumnValueToText(ColumnKind kind, const QVariant &value)
{
    if (value.isNull())
        return {};
    if (kind == ColumnKind::Number)
        return NumberToText(static_cast<long double>(value.toDouble()));
    return value.toString();
}

ColumnKind ColumnKindOfDeclaredType(const QString &declaredType)
{
    const QString type = declaredType.toUpper();
    if (type == QLatin1String("REAL"))
        return ColumnKind::Number;
    if (type == QLatin1String("DATETIME"))
        return ColumnKind::DateTime;
    if (type == QLatin1String("INTEGER"))
        return ColumnKind::AutoNumber;
    return ColumnKind::Text;
}
