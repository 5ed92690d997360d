#include "data/shop/DayEnd.h"

#include "data/shop/MethodSums.h"
#include "data/shop/ReturnCondition.h"
#include "data/shop/TicketCondition.h"
#include "data/store/Session.h"

#include <QStringList>

#include <map>

namespace DayEnd {

namespace {

// Sums that are zero, not empty, over no rows.
const QString kTicketSums = QStringLiteral("coalesce(sum(数量), 0), coalesce(sum(金额), 0), coalesce(sum(折后), 0)");

Totals TotalsOf(const Statement &row, int first)
{
    return {row.value(first).toInt(), row.value(first + 1).toDouble(), row.value(first + 2).toDouble(),
            row.value(first + 3).toDouble()};
}

// A deleted ticket's discounted amount, from its journal entry's 内容
// ("列=值; 列=值", numbers as their stored text); zero when not named.
Amount DeletedDiscounted(const QString &content)
{
    for (const QString &pair : content.split(QLatin1Char(';'))) {
        const QString name = pair.section(QLatin1Char('='), 0, 0).trimmed();
        if (name == QStringLiteral("折后"))
            return Amount::tryFromText(pair.section(QLatin1Char('='), 1)).value_or(Amount());
    }
    return {};
}

void SumSalesAndReturns(Session &session, const TicketCondition &condition, Figures &figures)
{
    Statement kinds(session.in(Store::Shared),
                    QStringLiteral("select case when %2 then 1 else 0 end, count(*), %3 "
                                   "from xstj where %1 group by 1")
                        .arg(condition.where, kReturnCondition, kTicketSums),
                    condition.parameters);
    while (kinds.step())
        (kinds.value(0).toInt() == 1 ? figures.returns : figures.sales) = TotalsOf(kinds, 1);
}

// The journal has 时间 (of the deletion), 单号 and 收银员 as xstj has, so the
// tickets' condition picks its entries.
Deletions SumDeletions(Session &session, const TicketCondition &condition)
{
    Deletions deleted;
    FourDecimalSum discounted;
    Statement entries(session.in(Store::Shared),
                      QStringLiteral("select 表名, coalesce(内容, '') from scjl where %1 and 表名 in ('xstj', 'xsmx')")
                          .arg(condition.where),
                      condition.parameters);
    while (entries.step()) {
        if (entries.value(0).toString() == QStringLiteral("xsmx")) {
            ++deleted.lines;
            continue;
        }
        ++deleted.tickets;
        discounted.add(double(DeletedDiscounted(entries.value(1).toString()).value()));
    }
    deleted.discounted = Amount(discounted.value());
    return deleted;
}

} // namespace

Figures Sum(Session &session, const TicketFilter &filter)
{
    const TicketCondition condition = ConditionOf(filter);
    Figures figures;
    Statement all(session.in(Store::Shared),
                  QStringLiteral("select count(*), %2, min(时间), max(时间) "
                                 "from xstj where %1")
                      .arg(condition.where, kTicketSums),
                  condition.parameters);
    if (all.step()) {
        figures.all = TotalsOf(all, 0);
        figures.firstTime = all.value(4).toString();
        figures.lastTime = all.value(5).toString();
    }
    SumSalesAndReturns(session, condition, figures);
    MethodSums methods;
    methods.addStored(session, condition);
    figures.methods = methods.totals();
    figures.deleted = SumDeletions(session, condition);

    Statement cashiers(session.in(Store::Shared),
                       QStringLiteral("select coalesce(收银员, ''), count(*), %2 "
                                      "from xstj where %1 group by 1 order by 1")
                           .arg(condition.where, kTicketSums),
                       condition.parameters);
    while (cashiers.step())
        figures.cashiers.push_back({cashiers.value(0).toString(), TotalsOf(cashiers, 1)});

    // A ticket number recorded twice still counts its lines once.
    Statement products(
        session.in(Store::Shared),
        QStringLiteral("select coalesce(品名, ''), coalesce(sum(数量), 0), coalesce(sum(折后), 0) from xsmx "
                       "where 单号 in (select 单号 from xstj where %1) "
                       "group by 1 order by 3 desc, 1")
            .arg(condition.where),
        condition.parameters);
    while (products.step())
        figures.products.push_back(
            {products.value(0).toString(), products.value(1).toDouble(), products.value(2).toDouble()});
    return figures;
}

std::vector<DaySales> SalesPerDay(Session &session, const TicketFilter &filter)
{
    const TicketCondition condition = ConditionOf(filter);
    std::map<QDate, DaySales> days;
    Statement perDay(session.in(Store::Shared),
                     QStringLiteral("select substr(时间, 1, 10), coalesce(sum(case when %2 then 0 else 折后 end), 0), "
                                    "coalesce(sum(case when %2 then 折后 else 0 end), 0), coalesce(sum(折后), 0), "
                                    "count(*) from xstj where %1 and 时间 is not null group by 1 order by 1")
                         .arg(condition.where, kReturnCondition),
                     condition.parameters);
    while (perDay.step()) {
        const QDate day = QDate::fromString(perDay.value(0).toString(), QStringLiteral("yyyy-MM-dd"));
        if (day.isValid())
            days[day] = {day, perDay.value(1).toDouble(), perDay.value(2).toDouble(), perDay.value(3).toDouble(),
                         perDay.value(4).toInt()};
    }

    QDate first = filter.from;
    QDate last = filter.to;
    if (filter.kind != TicketFilter::Kind::Between) {
        if (days.empty())
            return {};
        first = days.begin()->first;
        last = days.rbegin()->first;
    }
    std::vector<DaySales> series;
    for (QDate day = first; day.isValid() && day <= last; day = day.addDays(1)) {
        const auto found = days.find(day);
        series.push_back(found != days.end() ? found->second : DaySales{day});
    }
    return series;
}

} // namespace DayEnd
