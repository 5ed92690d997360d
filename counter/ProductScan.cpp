#include "counter/ProductScan.h"

#include "base/Amount.h"

#include <QRegularExpression>

namespace {

bool AllDigits(const QString &text, qsizetype least)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return text.size() >= least && digits.match(text).hasMatch();
}

ScanResult Refused(const QString &why)
{
    ScanResult refused;
    refused.kind = ScanResult::Kind::Refused;
    refused.refusal = why;
    return refused;
}

// A scale's code: the product whose barcode is its five-digit PLU, and the
// quantity its five-digit figure (fen or grams) comes to at the product's price.
std::optional<ScanResult> ReadScaleCode(Session &session, const QString &code, const ScannerSettings &scales)
{
    const int prefix = code.left(2).toInt();
    if (code.size() != 13 || prefix < scales.prefixFrom || prefix > scales.prefixTo)
        return std::nullopt;
    const std::optional<Catalogue::Product> product = Catalogue::WithBarcode(session, code.mid(2, 5));
    if (!product)
        return std::nullopt;
    ScanResult weighed;
    weighed.kind = ScanResult::Kind::Weighed;
    weighed.product = *product;
    const long double figure = code.mid(7, 5).toInt();
    if (scales.figureIsWeight) {
        weighed.quantity = Amount(figure / 1000).roundedText(3);
        return weighed;
    }
    const std::optional<Amount> price = Amount::tryFromText(product->price);
    if (!price || price->value() == 0)
        return Refused(QStringLiteral("商品“%1”没有单价，无法按条码 %2 的金额计量").arg(product->name, code));
    weighed.amount = Amount(figure / 100).text();
    weighed.quantity = Amount(figure / 100 / price->value()).roundedText(3);
    return weighed;
}

} // namespace

bool CheckDigitFits(const QString &code)
{
    if (!AllDigits(code, 1) || (code.size() != 8 && code.size() != 12 && code.size() != 13))
        return true;
    // Weights 3, 1, 3, ... from the digit next to the check digit leftwards.
    int sum = 0;
    for (qsizetype i = code.size() - 2, weight = 3; i >= 0; --i, weight = 4 - weight)
        sum += code.at(i).digitValue() * int(weight);
    return (10 - sum % 10) % 10 == code.back().digitValue();
}

ScanResult ReadScan(Session &session, const QString &text, const ScannerSettings &scales)
{
    const bool code = AllDigits(text, 8);
    if (code && !CheckDigitFits(text))
        return Refused(QStringLiteral("条码 %1 校验位错误").arg(text));
    ScanResult found;
    if (const std::optional<Catalogue::Product> product = Catalogue::Find(session, text)) {
        found.kind = ScanResult::Kind::Product;
        found.product = *product;
        found.quantity = QStringLiteral("1");
        return found;
    }
    if (code) {
        if (std::optional<ScanResult> weighed = ReadScaleCode(session, text, scales))
            return *weighed;
        return Refused(QStringLiteral("未找到条码 %1").arg(text));
    }
    return found;
}
