#include "counter/PriceLookup.h"
#include "counter/TicketTotals.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/NumberText.h"
#include "data/RowSet.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

class PriceLookupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setConnectionString(DataFile::Path());
        data.exec(QStringLiteral("delete from spxx"));
    }

    void product(const QString &name, const QString &price)
    {
        connection.exec(QStringLiteral("insert into spxx (品名, 单价) values (?1, ?2)"),
                        {name, price.isEmpty() ? QVariant() : QVariant(price.toDouble())});
    }

    TempData data;
    Connection connection;
    RowSet products{connection};
};

TEST_F(PriceLookupTest, APickedNameFindsItsOwnRowBeforeLongerNames)
{
    product(QStringLiteral("百事可乐"), QStringLiteral("3.5"));
    product(QStringLiteral("可乐"), QStringLiteral("2.5"));
    product(QStringLiteral("可乐"), QStringLiteral("2.8"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("可乐")), QStringLiteral("2.5"));
    EXPECT_EQ(products.recordCount(), 2); // the query holds the rows found
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("百事可乐")), QStringLiteral("3.5"));
}

TEST_F(PriceLookupTest, WithoutAnExactNameTheFirstContainingRowCounts)
{
    product(QStringLiteral("矿泉水 大"), QStringLiteral("2"));
    product(QStringLiteral("矿泉水 小"), QStringLiteral("1"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("矿泉水")), QStringLiteral("2"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("小")), QStringLiteral("1"));
}

TEST_F(PriceLookupTest, NoRowOrNoPriceGivesEmptyText)
{
    product(QStringLiteral("面包"), QString());
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("面包")), QString());
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("牛奶")), QString());
    EXPECT_TRUE(products.isOpen());
    EXPECT_EQ(products.recordCount(), 0);
}

TEST_F(PriceLookupTest, QuotesInANameAreJustText)
{
    product(QStringLiteral("12\" 比萨"), QStringLiteral("30"));
    product(QStringLiteral("a'b"), QStringLiteral("4"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("12\" 比萨")), QStringLiteral("30"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("a'b")), QStringLiteral("4"));
    EXPECT_EQ(LookUpPrice(products, QStringLiteral("\" or 1=1 --")), QString());
}

TEST(TicketTotals, SumsSkipEmptyValuesAndRoundEachToFourDecimals)
{
    TempData data;
    Connection connection;
    connection.setConnectionString(DataFile::Path());
    connection.exec(QStringLiteral("insert into xsxx (品名, 数量, 金额, 折后) values ('a', 1, 10, 9.4905)"));
    connection.exec(QStringLiteral("insert into xsxx (品名, 数量, 金额, 折后) values ('b', 2.5, null, 0.00004)"));
    connection.exec(QStringLiteral("insert into xsxx (品名, 数量, 金额, 折后) values ('c', null, 0.1, 0.03125)"));
    RowSet lines(connection);
    lines.setStatement(QStringLiteral("select * from xsxx"));
    lines.open();
    const TicketTotals totals = SumTicketLines(lines);
    EXPECT_EQ(NumberToText(totals.quantity), QStringLiteral("3.5"));
    EXPECT_EQ(NumberToText(totals.amount), QStringLiteral("10.1"));
    EXPECT_EQ(NumberToText(totals.afterDiscount), QStringLiteral("9.5217")); // 9.4905 + 0 + 0.0312: 312.5 units, a tie, go to even
}

} // namespace
