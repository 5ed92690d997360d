#include "data/shop/PaymentText.h"

#include "data/store/Session.h"

#include <QStringList>

#include <map>

namespace PaymentText {

QString Of(const std::vector<std::pair<QString, Amount>> &payments)
{
    if (payments.empty())
        return kUnrecorded;
    QStringList parts;
    for (const auto &[method, amount] : payments)
        parts << method + QLatin1Char(' ') + amount.displayText();
    return parts.join(QStringLiteral(" / "));
}

std::vector<QString> OfTickets(Session &session, const std::vector<QVariant> &numbers)
{
    // One read for the page's tickets, by the index on 单号.
    std::map<QString, std::vector<std::pair<QString, Amount>>> payments;
    std::vector<QVariant> keys;
    QStringList marks;
    for (const QVariant &number : numbers) {
        if (number.isNull())
            continue;
        keys.push_back(number);
        marks << QStringLiteral("?%1").arg(keys.size());
    }
    if (keys.empty())
        return std::vector<QString>(numbers.size(), kUnrecorded);
    Statement rows(session.in(Store::Shared),
                   QStringLiteral("select 单号, coalesce(方式, ''), coalesce(金额, 0) from zfmx "
                                  "where 单号 in (%1) order by 单号, 序号")
                       .arg(marks.join(QStringLiteral(", "))),
                   keys);
    while (rows.step())
        payments[rows.value(0).toString()].emplace_back(rows.value(1).toString(), Amount(rows.value(2).toDouble()));

    std::vector<QString> texts;
    texts.reserve(numbers.size());
    for (const QVariant &number : numbers) {
        const auto found = number.isNull() ? payments.end() : payments.find(number.toString());
        texts.push_back(Of(found != payments.end() ? found->second : std::vector<std::pair<QString, Amount>>{}));
    }
    return texts;
}

} // namespace PaymentText
