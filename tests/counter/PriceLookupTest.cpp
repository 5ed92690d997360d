#include "base/NumberText.h"
#include "counter/ProductScan.h"
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

// A scale's code (prefix, PLU held as a product's barcode, five digits of fen
// or grams, check digit) sells that product by its price; a code outside the
// prefixes, or of a PLU no product holds, is unknown; a product holding the
// whole code as its barcode is sold by the piece.
TEST_F(PriceLookupTest, ScaleCodesSellTheirProductByAmountOrWeight)
{
    product(QStringLiteral("猪肉"), QStringLiteral("12.5"));
    product(QStringLiteral("整码商品"), QStringLiteral("9"));
    product(QStringLiteral("无价"), QString());
    connection.exec(QStringLiteral("update spxx set 条码 = case 品名 when '猪肉' then '00123' when '无价' then "
                                   "'00999' else '2100123005321' end"));
    const ScannerSettings amount, weight{20, 29, true}, narrow{21, 21, false};
    using Kind = ScanResult::Kind;
    const struct
    {
        const char *code;
        const ScannerSettings &settings;
        Kind kind;
        const char *described;
    } cases[] = {
        {"2000123006253", amount, Kind::Weighed, "猪肉 12.5 0.5 6.25"}, // 6.25 yuan at 12.5 a kilo
        {"2000123012346", amount, Kind::Weighed, "猪肉 12.5 0.987 12.34"}, // to three decimals
        {"2000123006253", weight, Kind::Weighed, "猪肉 12.5 0.625 "}, // 625 grams
        {"2000123006253", narrow, Kind::Refused, "未找到条码 2000123006253"},
        {"3000123006252", amount, Kind::Refused, "未找到条码 3000123006252"},
        {"1900123006257", amount, Kind::Refused, "未找到条码 1900123006257"},
        {"2000999006258", amount, Kind::Refused, "商品“无价”没有单价，无法按条码 2000999006258 的金额计量"},
        {"2000999006258", weight, Kind::Weighed, "无价  0.625 "},
        {"2100123005321", amount, Kind::Product, "整码商品 9 1 "},
        {"2000123006250", amount, Kind::Refused, "条码 2000123006250 校验位错误"},
    };
    for (const auto &c : cases) {
        const ScanResult scan = ReadScan(connection, QString::fromUtf8(c.code), c.settings);
        EXPECT_EQ(scan.kind, c.kind) << c.code;
        const QStringList parts{scan.product.name, scan.product.price, scan.quantity, scan.amount};
        EXPECT_EQ(scan.kind == Kind::Refused ? scan.refusal : parts.join(u' '), QString::fromUtf8(c.described))
            << c.code;
    }
}

// Each valid code, then the same with every other last digit: only the printed one fits.
TEST(CheckDigit, FitsOnlyTheEanAndUpcCodesPrinted)
{
    for (const char *valid :
         {"96385074", "12345670", "036000291452", "4006381333931", "6901234567892", "2000123006253", "0000000000000"}) {
        const QString code = QString::fromUtf8(valid);
        for (int last = 0; last <= 9; ++last) {
            const QString read = code.chopped(1) + QString::number(last);
            EXPECT_EQ(CheckDigitFits(read), read == code) << read.toStdString();
        }
    }
    // Lengths with no check digit, and texts that are no code, have nothing to check.
    for (const char *unchecked : {"1234567", "123456789", "12345678901", "69012345678921", "6901234x67892", ""})
        EXPECT_TRUE(CheckDigitFits(QString::fromUtf8(unchecked))) << unchecked;
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
