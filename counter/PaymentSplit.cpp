#include "counter/PaymentSplit.h"

namespace {

// Compared in cents: sums of decimal parts are not exact in binary.
bool Exceeds(Amount amount, Amount bound)
{
    return (amount - bound).cents() > Amount();
}

QString ReadingProblem(const TypedPart &part, const std::optional<Amount> &read)
{
    const QString method = MethodName(part.method);
    if (!read)
        return QStringLiteral("%1金额“%2”不是数字！").arg(method, part.text);
    if (*read < Amount())
        return QStringLiteral("%1金额不能为负数！").arg(method);
    return read->limitWarning(method + QStringLiteral("金额"));
}

} // namespace

PaymentSplit SplitPayment(Amount payable, const std::vector<TypedPart> &typed)
{
    PaymentSplit split;
    for (const TypedPart &part : typed) {
        if (part.text.trimmed().isEmpty())
            continue;
        const std::optional<Amount> read = Amount::tryFromText(part.text);
        if (QString problem = ReadingProblem(part, read); !problem.isEmpty())
            return {{}, problem};
        if (*read != Amount())
            split.parts.push_back({part.method, *read});
    }
    Amount owed = payable, paid;
    for (const Payment &part : split.parts) {
        paid += part.amount;
        if (part.method == PaymentMethod::Cash)
            continue;
        if (Exceeds(part.amount, owed))
            return {{},
                    QStringLiteral("%1 %2 超过尚欠的 %3：只有现金可以找零！")
                        .arg(MethodName(part.method), part.amount.displayText(), owed.displayText())};
        owed -= part.amount;
    }
    if (Exceeds(payable, paid))
        return {{}, QStringLiteral("支付不足，还差 %1！").arg((payable - paid).displayText())};
    return split;
}

Amount TypedSum(const std::vector<TypedPart> &typed)
{
    Amount sum;
    for (const TypedPart &part : typed)
        sum += Amount::tryFromText(part.text).value_or(Amount());
    return sum;
}
