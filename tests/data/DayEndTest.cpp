#include "data/shop/DayEnd.h"

#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// 10,000 sales over March 2024 by three cashiers, each with one to three lines;
// the first and last second of every day hold a sale of their own.
class DayEndTest : public ::testing::Test
{
protected:
    DayEndTest()
    {
        session.setConnectionString(data.file());
        Transaction transaction(session.file());
        session.exec(QStringLiteral(
            "with recursive n(i) as (select 0 union all select i + 1 from n where i < 9999) "
            "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
            "select printf('T%05d', i), "
            "strftime('%Y-%m-%d %H:%M:%S', 1709251200 + (i % 30) * 86400 + "
            "  case when i < 30 then 0 when i < 60 then 86399 else (i * 7919) % 86400 end, 'unixepoch'), "
            "i % 3 + 1, i % 97 + 0.25, (i % 97) * 0.9 + 0.5, "
            "case i % 3 when 0 then '甲' when 1 then '乙' else '丙' end from n"));
        session.exec(QStringLiteral("with recursive k(j) as (select 1 union all select j + 1 from k where j < 3) "
                                    "insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                                    "select 单号, 时间, '商品' || ((序号 + j) % 5), 2.5, j * 0.5, j * 1.25, j * 1.125 "
                                    "from xstj, k where j <= 数量"));
        transaction.commit();
    }

    double sql(const QString &statement) const { return data.scalar(statement).toDouble(); }

    TempData data;
    Session session;
};

struct Case
{
    const char *what;
    TicketFilter filter;
    const char *where; // the same tickets, said another way
};

const Case kCases[] = {
    {"one day", TicketFilter::Between({2024, 3, 5}, {2024, 3, 5}),
     "时间 between '2024-03-05 00:00:00' and '2024-03-05 23:59:59'"},
    {"a week", TicketFilter::Between({2024, 3, 10}, {2024, 3, 16}),
     "时间 between '2024-03-10 00:00:00' and '2024-03-16 23:59:59'"},
    {"the whole month and beyond", TicketFilter::Between({2024, 2, 20}, {2024, 4, 10}), "1"},
    {"a cashier", TicketFilter::Matching(QString(), QStringLiteral("乙")), "收银员 = '乙'"},
    {"part of the number", TicketFilter::Matching(QStringLiteral("T012"), QString()), "substr(单号, 1, 4) = 'T012'"},
    {"every ticket", TicketFilter::All(), "1"},
};

TEST_F(DayEndTest, SumsEqualTheSqlSumsOfTheFilteredTickets)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.what);
        const QString where = QString::fromUtf8(c.where);
        const DayEnd::Figures figures = DayEnd::Sum(session, c.filter);

        EXPECT_EQ(figures.all.tickets, int(sql(QStringLiteral("select count(*) from xstj where ") + where)));
        EXPECT_DOUBLE_EQ(figures.all.quantity, sql(QStringLiteral("select total(数量) from xstj where ") + where));
        EXPECT_DOUBLE_EQ(figures.all.amount, sql(QStringLiteral("select total(金额) from xstj where ") + where));
        EXPECT_NEAR(figures.all.discounted, sql(QStringLiteral("select total(折后) from xstj where ") + where), 1e-6);

        double cashierTickets = 0;
        for (const DayEnd::CashierTotals &cashier : figures.cashiers) {
            const QString mine = where + QStringLiteral(" and 收银员 = '%1'").arg(cashier.cashier);
            EXPECT_EQ(cashier.totals.tickets, int(sql(QStringLiteral("select count(*) from xstj where ") + mine)));
            EXPECT_NEAR(cashier.totals.discounted, sql(QStringLiteral("select total(折后) from xstj where ") + mine),
                        1e-6);
            cashierTickets += cashier.totals.tickets;
        }
        EXPECT_EQ(cashierTickets, figures.all.tickets);

        std::map<QString, double> expected;
        Session check;
        check.setConnectionString(data.file());
        RowSet sold(check);
        sold.setStatement(QStringLiteral("select m.品名, total(m.折后) from xsmx m join xstj t on t.单号 = m.单号 "
                                         "where %1 group by m.品名")
                              .arg(QString(where)
                                       .replace(QStringLiteral("时间"), QStringLiteral("t.时间"))
                                       .replace(QStringLiteral("收银员"), QStringLiteral("t.收银员"))
                                       .replace(QStringLiteral("单号"), QStringLiteral("t.单号"))));
        sold.open();
        for (int row = 0; row < sold.recordCount(); ++row)
            expected[sold.textAt(row, 0)] = sold.rawAt(row, 1).toDouble();
        ASSERT_EQ(figures.products.size(), expected.size());
        for (size_t i = 0; i < figures.products.size(); ++i) {
            EXPECT_NEAR(figures.products[i].discounted, expected[figures.products[i].name], 1e-6);
            if (i > 0) { // largest first
                EXPECT_GE(figures.products[i - 1].discounted, figures.products[i].discounted);
            }
        }
    }
}

TEST_F(DayEndTest, EveryDayOfASpanHasItsSalesAndDaysWithoutSalesAreZero)
{
    const DayEnd::Figures none = DayEnd::Sum(session, TicketFilter::Between({2025, 1, 1}, {2025, 1, 2}));
    EXPECT_EQ(none.all.tickets, 0);
    EXPECT_TRUE(none.cashiers.empty());
    EXPECT_TRUE(none.products.empty());

    const std::vector<DayEnd::DaySales> days = DayEnd::SalesPerDay(session,
                                                                   TicketFilter::Between({2024, 2, 27}, {2024, 4, 2}));
    ASSERT_EQ(days.size(), 36u);
    for (const DayEnd::DaySales &day : days) {
        SCOPED_TRACE(day.day.toString(Qt::ISODate).toStdString());
        const QString where
            = QStringLiteral(" from xstj where substr(时间, 1, 10) = '%1'").arg(day.day.toString(Qt::ISODate));
        EXPECT_EQ(day.tickets, int(sql(QStringLiteral("select count(*)") + where)));
        EXPECT_NEAR(day.discounted, sql(QStringLiteral("select total(折后)") + where), 1e-6);
        const bool inMarch = day.day.month() == 3 && day.day.day() <= 30;
        EXPECT_EQ(day.tickets > 0, inMarch);
    }

    // Other filters run from the first to the last day with a sale: this
    // cashier sells every third day.
    const std::vector<DayEnd::DaySales> cashier = DayEnd::SalesPerDay(
        session, TicketFilter::Matching(QString(), QStringLiteral("甲")));
    ASSERT_EQ(cashier.size(), 28u);
    EXPECT_EQ(cashier.front().day, QDate(2024, 3, 1));
    EXPECT_EQ(cashier[1].day, QDate(2024, 3, 2));
    EXPECT_EQ(cashier[1].tickets, 0);
    EXPECT_EQ(cashier[1].discounted, 0);
    EXPECT_GT(cashier[3].tickets, 0);
}

} // namespace
