#include "data/shop/TicketFilter.h"

#include "data/shop/TicketCondition.h"

TicketFilter TicketFilter::All()
{
    return {};
}

TicketFilter TicketFilter::Matching(const QString &number, const QString &cashier)
{
    TicketFilter filter;
    filter.kind = Kind::Matching;
    filter.number = number;
    filter.cashier = cashier;
    return filter;
}

TicketFilter TicketFilter::Between(const QDate &from, const QDate &to)
{
    TicketFilter filter;
    filter.kind = Kind::Between;
    filter.from = from;
    filter.to = to;
    return filter;
}

TicketCondition ConditionOf(const TicketFilter &filter)
{
    TicketCondition condition;
    switch (filter.kind) {
    case TicketFilter::Kind::All:
        condition.where = QStringLiteral("1 = 1");
        break;
    case TicketFilter::Kind::Matching: {
        condition.where = QStringLiteral("单号<>''");
        // like keeps each engine's case rule; the escape makes the searched text literal.
        const auto containing = [&](const char *column, const QString &text) {
            if (text.isEmpty())
                return;
            QString literal = text;
            for (const QChar special : {QLatin1Char('!'), QLatin1Char('%'), QLatin1Char('_')})
                literal.replace(special, QStringLiteral("!") + special);
            condition.parameters.push_back(literal);
            condition.where += QStringLiteral(" and %1 like '%' || ?%2 || '%' escape '!'")
                                   .arg(QString::fromUtf8(column))
                                   .arg(condition.parameters.size());
        };
        containing("单号", filter.number);
        containing("收银员", filter.cashier);
        break;
    }
    case TicketFilter::Kind::Between: {
        // 时间 holds "yyyy-MM-dd HH:mm:ss", so text order is time order and the
        // span runs from the from-day's midnight up to the midnight after the to-day.
        const QString dayFormat = QStringLiteral("yyyy-MM-dd");
        condition.where = QStringLiteral("时间 >= ?1 and 时间 < ?2");
        condition.parameters = {filter.from.toString(dayFormat) + QStringLiteral(" 00:00:00"),
                                filter.to.addDays(1).toString(dayFormat) + QStringLiteral(" 00:00:00")};
        break;
    }
    }
    return condition;
}
