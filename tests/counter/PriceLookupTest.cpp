#include "base/NumberText.h"
#include "data/shop/Catalogue.h"
#include "data/shop/CurrentTicket.h"
#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/support/PrintTo.h"
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

// A picked name finds its own row before longer names; without an exact name
// the first row containing it counts. Pattern characters and quotes in a name
// are literal text: never another product's price.
TEST_F(PriceLookupTest, ANameFindsItsOwnPriceLiterally)
{
    const std::pair<const char *, const char *> products[] = {
        {"百事可乐", "3.5"}, {"可乐", "2.5"}, {"可乐", "2.8"},     {"矿泉水 大", "2"}, {"矿泉水 小", "1"},
        {"5%_折扣装", "9"},  {"面包", ""},    {"12\" 比萨", "30"}, {"a'b", "4"}};
    for (const auto &[name, price] : products)
        product(QString::fromUtf8(name), QString::fromUtf8(price));
    const std::pair<const char *, std::optional<QString>> cases[] = {
        {"可乐", "2.5"}, {"百事可乐", "3.5"}, {"矿泉水", "2"}, {"小", "1"},         {"%%", {}},
        {"__", {}},      {"可%", {}},         {"%可", {}},     {"%_", "9"},         {"面包", QString()},
        {"牛奶", {}},    {"12\" 比萨", "30"}, {"a'b", "4"},    {"\" or 1=1 --", {}}};
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(price(QString::fromUtf8(name)), expected) << name;
}

TEST(TicketTotals, SumsReadEmptyValuesAsNothingAndRoundAsTotals)
{
    TempData data;
    Session connection;
    connection.setConnectionString(DataFile::Path());
    connection.exec(QStringLiteral("insert into xsxx (品名, 数量, 金额, 折后) values ('a', 1, 10, 9.4905), "
                                   "('b', 2.5, null, 0.00004), ('c', null, 0.1, 0.03125)"));
    RowSet lines(connection);
    lines.setStatement(QStringLiteral("select * from xsxx"));
    lines.open();
    Sale ticket;
    ticket.lines = CurrentTicket::Lines(lines);
    const SaleTotals totals = ticket.totals();
    EXPECT_EQ(totals.quantity.text(), QStringLiteral("3.5"));
    EXPECT_EQ(totals.amount.text(), QStringLiteral("10.1"));
    EXPECT_EQ(totals.discounted.text(), QStringLiteral("9.52"));
}

} // namespace
