#include "data/shop/DayEnd.h"

#include "base/Amount.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Four sales, two of them on the first and last second of a day, one paid in
// two ways and one in one, and a return of the latter; deletions journaled.
class DayEndTest : public ::testing::Test
{
protected:
    DayEndTest()
    {
        data.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) values "
                                 "('T1', '2024-03-01 00:00:00', 1, 10, 9, 'Ann', null), "
                                 "('T2', '2024-03-02 23:59:59', 2, 20, 18, 'Bob', null), "
                                 "('T3', '2024-03-03 00:00:00', 3, 30, 27, 'Ann', null), "
                                 "('T4', '2024-03-05 12:00:00', 1, 5, 5, 'Bob', null), "
                                 "('R1', '2024-03-02 18:00:00', -1, -10, -9, 'Bob', 'T2')"));
        data.exec(QStringLiteral("insert into xsmx (单号, 品名, 数量, 折后) values ('T1', '苹果', 1, 9), "
                                 "('T2', '香蕉', 2, 18), ('T3', '苹果', 3, 27), ('T4', '香蕉', 1, 5), "
                                 "('R1', '香蕉', -1, -9)"));
        data.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values ('T1', '现金', 4), ('T2', '现金', 18), "
                                 "('T1', '微信', 5), ('R1', '现金', -9)"));
        data.exec(QStringLiteral("insert into scjl (时间, 收银员, 表名, 单号, 内容) values "
                                 "('2024-03-02 10:00:00', 'Ann', 'xstj', 'D1', '单号=D1; 折后=12.5; 收银员=Ann'), "
                                 "('2024-03-02 10:00:00', 'Ann', 'xsmx', 'D1', '品名=苹果; 折后=12.5'), "
                                 "('2024-03-02 10:00:00', 'Ann', 'xsmx', 'D1', '品名=香蕉; 折后=1'), "
                                 "('2024-03-01 12:00:00', 'Ann', 'xstj', 'D3', '单号=D3'), "
                                 "('2024-03-04 08:00:00', 'Bob', 'xstj', 'D2', '折后=3')"));
    }

    // Every figure of the sums, then each day's sales, returns and net, as texts.
    QStringList figures(const TicketFilter &filter)
    {
        const DayEnd::Figures figures = DayEnd::Sum(session, filter);
        const auto totals = [](const DayEnd::Totals &t) {
            return QStringLiteral("%1 %2 %3 %4").arg(t.tickets).arg(t.quantity).arg(t.amount).arg(t.discounted);
        };
        QStringList texts{totals(figures.all), totals(figures.sales), totals(figures.returns), figures.firstTime,
                          figures.lastTime};
        for (const DayEnd::CashierTotals &cashier : figures.cashiers)
            texts << cashier.cashier + QLatin1Char(' ') + totals(cashier.totals);
        for (const DayEnd::ProductSold &product : figures.products)
            texts << QStringLiteral("%1 %2 %3").arg(product.name).arg(product.quantity).arg(product.discounted);
        for (const MethodTotal &method : figures.methods)
            texts << method.method + QLatin1Char(' ') + method.amount.displayText();
        texts << QStringLiteral("删除 %1 %2 %3")
                     .arg(figures.deleted.tickets)
                     .arg(figures.deleted.lines)
                     .arg(figures.deleted.discounted.displayText());
        for (const DayEnd::DaySales &day : DayEnd::SalesPerDay(session, filter))
            texts << QStringLiteral("%1 %2 %3 %4 %5")
                         .arg(day.day.toString(Qt::ISODate))
                         .arg(day.sales)
                         .arg(day.returns)
                         .arg(day.net)
                         .arg(day.tickets);
        return texts;
    }

    TempData data;
    Session session;
};

// The sums cover the whole span or the matching tickets, returns netted and
// apart, tickets without payment rows as unrecorded. Per day, a date span
// has each of its days; other filters run from the first to the last day with
// a sale. Days without sales are zero.
TEST_F(DayEndTest, SumsAndSalesPerDayCoverTheSpanOrTheMatchingTickets)
{
    const std::pair<TicketFilter, QStringList> cases[] = {
        {TicketFilter::Between({2024, 2, 29}, {2024, 3, 2}),
         {"3 2 20 18", "2 3 30 27", "1 -1 -10 -9", "2024-03-01 00:00:00", "2024-03-02 23:59:59", "Ann 1 1 10 9",
          "Bob 2 1 10 9", "苹果 1 9", "香蕉 1 9", "微信 5", "现金 13", "删除 2 2 12.5", "2024-02-29 0 0 0 0",
          "2024-03-01 9 0 9 1", "2024-03-02 18 -9 9 2"}},
        {TicketFilter::Matching(QString(), "Bob"),
         {"3 2 15 14", "2 3 25 23", "1 -1 -10 -9", "2024-03-02 18:00:00", "2024-03-05 12:00:00", "Bob 3 2 15 14",
          "香蕉 2 14", "现金 9", "未记录 5", "删除 1 0 3", "2024-03-02 18 -9 9 2", "2024-03-03 0 0 0 0",
          "2024-03-04 0 0 0 0", "2024-03-05 5 0 5 1"}},
        {TicketFilter::Matching("T3", QString()),
         {"1 3 30 27", "1 3 30 27", "0 0 0 0", "2024-03-03 00:00:00", "2024-03-03 00:00:00", "Ann 1 3 30 27",
          "苹果 3 27", "未记录 27", "删除 0 0 0", "2024-03-03 27 0 27 1"}},
        {TicketFilter::Between({2025, 1, 1}, {2025, 1, 1}),
         {"0 0 0 0", "0 0 0 0", "0 0 0 0", "", "", "删除 0 0 0", "2025-01-01 0 0 0 0"}},
    };
    for (const auto &[filter, expected] : cases) {
        SCOPED_TRACE(expected.front().toStdString());
        EXPECT_EQ(figures(filter), expected);
    }
}

// Ten thousand tickets over three days, a tenth of them returns, a few sent
// again under a fresh number (原单号 set, figures positive: no returns), paid
// in one or two ways or not recorded; deletions journaled. The middle day's
// figures equal plain SQL over the same seconds.
TEST(DayEndSums, EqualSqlOverTenThousandTickets)
{
    TempData data;
    const QString ticket = QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 10000) ");
    data.exec(ticket
              + QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) select 'S' || i, "
                               "printf('2026-12-%02d %02d:%02d:%02d', 1 + i % 3, i % 24, i % 60, (i * 7) % 60), "
                               "case when i % 10 = 0 then -1 else 1 + i % 4 end, 0, "
                               "(case when i % 10 = 0 then -1 else 1 end) * ((i % 97) + 0.25), "
                               "'C' || (i % 3), case when i % 10 = 0 or i % 101 = 0 then 'S' || (i - 1) end from n"));
    data.exec(ticket
              + QStringLiteral(
                  "insert into xsmx (单号, 品名, 数量, 折后) select 单号, 'P' || (cast(substr(单号, 2) as int) % 50), "
                  "数量, 折后 from xstj"));
    data.exec(
        ticket
        + QStringLiteral(
            "insert into zfmx (单号, 方式, 金额) select 'S' || i, case i % 5 when 0 then '现金' when 1 then '微信' "
            "when 2 then '支付宝' when 3 then '银行卡' else '其他' end, "
            "(case when i % 10 = 0 then -1 else 1 end) * ((i % 97) + 0.25) - case when i % 8 = 1 then 0.5 else 0 end "
            "from n where i % 4 <> 0 union all select 'S' || i, '现金', 0.5 from n where i % 8 = 1"));
    data.exec(ticket
              + QStringLiteral("insert into scjl (时间, 收银员, 表名, 单号, 内容) select "
                               "printf('2026-12-%02d %02d:00:00', 1 + i % 3, i % 24), 'C1', case when i % 3 = 0 then "
                               "'xsmx' else 'xstj' end, "
                               "'D' || i, '单号=D' || i || '; 折后=' || (i % 13 + 0.5) from n where i <= 600"));

    Session session;
    session.setConnectionString(data.file());
    const DayEnd::Figures figures = DayEnd::Sum(session, TicketFilter::Between({2026, 12, 2}, {2026, 12, 2}));
    const auto figure = [](double value) { return Amount(value).figureText(); };
    QStringList summed{QStringLiteral("%1|%2").arg(figures.all.tickets).arg(figure(figures.all.discounted)),
                       QStringLiteral("%1|%2").arg(figures.sales.tickets).arg(figure(figures.sales.discounted)),
                       QStringLiteral("%1|%2").arg(figures.returns.tickets).arg(figure(figures.returns.discounted))};
    for (const MethodTotal &method : figures.methods)
        summed << method.method + QLatin1Char('|') + method.amount.figureText();
    summed << QStringLiteral("%1|%2|%3")
                  .arg(figures.deleted.tickets)
                  .arg(figures.deleted.lines)
                  .arg(figures.deleted.discounted.figureText());
    for (const DayEnd::CashierTotals &cashier : figures.cashiers)
        summed << QStringLiteral("%1|%2|%3")
                      .arg(cashier.cashier)
                      .arg(cashier.totals.tickets)
                      .arg(figure(cashier.totals.discounted));
    for (const DayEnd::ProductSold &product : figures.products)
        summed << product.name + QLatin1Char('|') + figure(product.discounted);

    const QString day = QStringLiteral("xstj.时间 between '2026-12-02 00:00:00' and '2026-12-02 23:59:59'");
    QStringList expected;
    for (const char *kind : {"1 = 1", "数量 > 0", "数量 < 0"})
        expected << data.rows(QStringLiteral("select count(*), printf('%.2f', coalesce(sum(折后), 0)) from xstj "
                                             "where %1 and %2")
                                  .arg(day, QString::fromUtf8(kind)));
    expected << data.rows(QStringLiteral("select 方式, printf('%.2f', sum(zfmx.金额)) from zfmx join xstj "
                                         "on xstj.单号 = zfmx.单号 where %1 group by 方式 order by 方式")
                              .arg(day));
    expected << data.rows(QStringLiteral("select '未记录', printf('%.2f', sum(折后)) from xstj where %1 "
                                         "and 单号 not in (select 单号 from zfmx)")
                              .arg(day));
    expected << data.rows(
        QStringLiteral("select sum(表名 = 'xstj'), sum(表名 = 'xsmx'), printf('%.2f', sum(case when 表名 = 'xstj' "
                       "then cast(substr(内容, instr(内容, '折后=') + 3) as real) else 0 end)) from scjl where %1")
            .arg(QString(day).replace(QStringLiteral("xstj."), QStringLiteral("scjl."))));
    expected << data.rows(QStringLiteral("select 收银员, count(*), printf('%.2f', sum(折后)) from xstj where %1 "
                                         "group by 收银员 order by 收银员")
                              .arg(day));
    expected << data.rows(
        QStringLiteral("select 品名, printf('%.2f', sum(xsmx.折后)) from xsmx join xstj "
                       "on xstj.单号 = xsmx.单号 where %1 group by 品名 order by sum(xsmx.折后) desc, 品名")
            .arg(day));
    EXPECT_EQ(summed, expected);
    EXPECT_GT(figures.all.tickets, 3000);
}

} // namespace
