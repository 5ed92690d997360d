#include "receipts/ReceiptFigures.h"

#include "base/Amount.h"

#include <QStringList>

QString FormatFigure(const QString &text)
{
    return Amount::tryFromText(text).value_or(0).figureText();
}

QStringList MemoLines(const QString &remark)
{
    QString text = remark;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}
