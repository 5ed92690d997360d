#include "base/NumberText.h"
#include "counter/TicketTotals.h"
#include "data/shop/Catalogue.h"
#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
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

    std::optional<QString> price(const QString &name) { return Catalogue::PriceOf(connection, name); }

    TempData data;
    Session connection;
};

TEST_F(PriceLookupTest, APickedNameFindsItsOwnRowBeforeLongerNames)
{
    product(QStringLiteral("百事可乐"), QStringLiteral("3.5"));
    product(QStringLiteral("可乐"), QStringLiteral("2.5"));
    product(QStringLiteral("可乐"), QStringLiteral("2.8"));
    EXPECT_EQ(price(QStringLiteral("可乐")), QStringLiteral("2.5"));
    EXPECT_EQ(price(QStringLiteral("百事可乐")), QStringLiteral("3.5"));
}

TEST_F(PriceLookupTest, WithoutAnExactNameTheFirstContainingRowCounts)
{
    product(QStringLiteral("矿泉水 大"), QStringLiteral("2"));
    product(QStringLiteral("矿泉水 小"), QStringLiteral("1"));
    EXPECT_EQ(price(QStringLiteral("矿泉水")), QStringLiteral("2"));
    EXPECT_EQ(price(QStringLiteral("小")), QStringLiteral("1"));
}

// A name the list still shows after its product was deleted, or a name holding
// pattern characters, is looked up literally: never another product's price.
TEST_F(PriceLookupTest, PatternCharactersInANameAreLiteral)
{
    product(QStringLiteral("可乐"), QStringLiteral("2.5"));
    product(QStringLiteral("5%_折扣装"), QStringLiteral("9"));
    for (const char *name : {"%%", "__", "可%", "%可"})
        EXPECT_EQ(price(QString::fromUtf8(name)), std::nullopt) << name;
    EXPECT_EQ(price(QStringLiteral("%_")), QStringLiteral("9"));
}

TEST_F(PriceLookupTest, NoPriceIsEmptyTextAndNoProductIsNone)
{
    product(QStringLiteral("面包"), QString());
    EXPECT_EQ(price(QStringLiteral("面包")), QString());
    EXPECT_EQ(price(QStringLiteral("牛奶")), std::nullopt);
}

TEST_F(PriceLookupTest, QuotesInANameAreJustText)
{
    product(QStringLiteral("12\" 比萨"), QStringLiteral("30"));
    product(QStringLiteral("a'b"), QStringLiteral("4"));
    EXPECT_EQ(price(QStringLiteral("12\" 比萨")), QStringLiteral("30"));
    EXPECT_EQ(price(QStringLiteral("a'b")), QStringLiteral("4"));
    EXPECT_EQ(price(QStringLiteral("\" or 1=1 --")), std::nullopt);
}

TEST(TicketTotals, SumsSkipEmptyValuesAndRoundEachToFourDecimals)
{
    TempData data;
    Session connection;
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
    EXPECT_EQ(NumberToText(totals.afterDiscount),
              QStringLiteral("9.5217")); // 9.4905 + 0 + 0.0312: 312.5 units, a tie, go to even
}

} // namespace
