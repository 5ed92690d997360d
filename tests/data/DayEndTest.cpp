#include "data/shop/DayEnd.h"

#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Four sales, two of them on the first and last second of a day.
class DayEndTest : public ::testing::Test
{
protected:
    DayEndTest()
    {
        data.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) values "
                                 "('T1', '2024-03-01 00:00:00', 1, 10, 9, 'Ann'), "
                                 "('T2', '2024-03-02 23:59:59', 2, 20, 18, 'Bob'), "
                                 "('T3', '2024-03-03 00:00:00', 3, 30, 27, 'Ann'), "
                                 "('T4', '2024-03-05 12:00:00', 1, 5, 5, 'Bob')"));
        data.exec(QStringLiteral("insert into xsmx (单号, 品名, 数量, 折后) values ('T1', '苹果', 1, 9), "
                                 "('T2', '香蕉', 2, 18), ('T3', '苹果', 3, 27), ('T4', '香蕉', 1, 5)"));
    }

    // Every figure of the sums, then each day's sales, as texts.
    QStringList figures(const TicketFilter &filter)
    {
        const DayEnd::Figures figures = DayEnd::Sum(session, filter);
        const auto totals = [](const DayEnd::Totals &t) {
            return QStringLiteral("%1 %2 %3 %4").arg(t.tickets).arg(t.quantity).arg(t.amount).arg(t.discounted);
        };
        QStringList texts{totals(figures.all), figures.firstTime, figures.lastTime};
        for (const DayEnd::CashierTotals &cashier : figures.cashiers)
            texts << cashier.cashier + QLatin1Char(' ') + totals(cashier.totals);
        for (const DayEnd::ProductSold &product : figures.products)
            texts << QStringLiteral("%1 %2 %3").arg(product.name).arg(product.quantity).arg(product.discounted);
        for (const DayEnd::DaySales &day : DayEnd::SalesPerDay(session, filter))
            texts << QStringLiteral("%1 %2 %3").arg(day.day.toString(Qt::ISODate)).arg(day.discounted).arg(day.tickets);
        return texts;
    }

    TempData data;
    Session session;
};

// The sums cover the whole span or the matching tickets. Per day, a date span
// has each of its days; other filters run from the first to the last day with
// a sale. Days without sales are zero.
TEST_F(DayEndTest, SumsAndSalesPerDayCoverTheSpanOrTheMatchingTickets)
{
    const std::pair<TicketFilter, QStringList> cases[] = {
        {TicketFilter::Between({2024, 2, 29}, {2024, 3, 2}),
         {"2 3 30 27", "2024-03-01 00:00:00", "2024-03-02 23:59:59", "Ann 1 1 10 9", "Bob 1 2 20 18", "香蕉 2 18",
          "苹果 1 9", "2024-02-29 0 0", "2024-03-01 9 1", "2024-03-02 18 1"}},
        {TicketFilter::Matching(QString(), "Bob"),
         {"2 3 25 23", "2024-03-02 23:59:59", "2024-03-05 12:00:00", "Bob 2 3 25 23", "香蕉 3 23", "2024-03-02 18 1",
          "2024-03-03 0 0", "2024-03-04 0 0", "2024-03-05 5 1"}},
        {TicketFilter::Matching("T3", QString()),
         {"1 3 30 27", "2024-03-03 00:00:00", "2024-03-03 00:00:00", "Ann 1 3 30 27", "苹果 3 27", "2024-03-03 27 1"}},
        {TicketFilter::Between({2025, 1, 1}, {2025, 1, 1}), {"0 0 0 0", "", "", "2025-01-01 0 0"}},
    };
    for (const auto &[filter, expected] : cases) {
        SCOPED_TRACE(expected.front().toStdString());
        EXPECT_EQ(figures(filter), expected);
    }
}

} // namespace
