#include "receipts/ReceiptFigures.h"

#include "base/NumberText.h"

#include <QStringList>

QString FormatFigure(const QString &text)
{
    long double value = 0;
    if (!TryTextToNumber(text, value))
        value = 0;
    QString figure = RoundDecimalImage(value, 2);
    int point = figure.indexOf(QLatin1Char('.'));
    if (point < 0) {
        point = figure.size();
        figure += QLatin1Char('.');
    }
    const int decimals = figure.size() - point - 1;
    return figure + QString(2 - decimals, QLatin1Char('0'));
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
