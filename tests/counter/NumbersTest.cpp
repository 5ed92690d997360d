#include "base/AppError.h"
#include "base/NumberText.h"
#include "counter/CounterNumbers.h"
#include "counter/LinePricing.h"
#include "counter/ShopLimits.h"
#include "data/store/ColumnValue.h"
#include "tests/support/PrintTo.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TextCase
{
    const char *in;
    const char *out;
};

QString Q(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(TextToNumber, ReadsTheCounterGrammar)
{
    const std::pair<const char *, long double> cases[] = {
        {"12.5", 12.5L}, {"  +3 ", 3.0L},  {"-0.25", -0.25L},  {".", 0.0L},    {"7.", 7.0L},
        {".5", 0.5L},    {"1e3", 1000.0L}, {"2.5E-2", 0.025L}, {"0001", 1.0L}, {"1E+2", 100.0L}};
    for (const auto &[text, value] : cases)
        EXPECT_EQ(TextToNumber(Q(text)), value) << text;
}

TEST(TextToNumber, IsExactToExtendedPrecision)
{
    // The digits scaled once: the nearest extended value, not the nearest double.
    EXPECT_EQ(TextToNumber(QStringLiteral("0.1")), 0.1L);
    EXPECT_EQ(TextToNumber(QStringLiteral("2.675")), 2.675L);
    EXPECT_NE(TextToNumber(QStringLiteral("2.675")), static_cast<long double>(2.675));
}

TEST(TextToNumber, RefusesWhatIsNoNumber)
{
    for (const char *text : {"", "   ", "+", "-", "abc", "1,5", "1.2.3", "12a", "e5", "1e", "1e+", "--1", "1e99999"}) {
        try {
            TextToNumber(Q(text));
            ADD_FAILURE() << "accepted " << text;
        } catch (const ConversionError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("'%1' is not a valid floating point value").arg(Q(text)));
        }
    }
}

TEST(NumberToText, WritesFifteenSignificantDigits)
{
    const std::pair<long double, const char *> cases[] = {{0.0L, "0"},
                                                          {-0.0L, "0"},
                                                          {12.5L, "12.5"},
                                                          {3.0L, "3"},
                                                          {-37.35L, "-37.35"},
                                                          {1500.0L, "1500"},
                                                          {0.0001L, "0.0001"},
                                                          {0.00001L, "1E-5"},
                                                          {1.5e20L, "1.5E20"},
                                                          {1e15L, "1E15"},
                                                          {123456789012345.0L, "123456789012345"},
                                                          {0.1L + 0.2L, "0.3"},
                                                          {2.0L / 3.0L, "0.666666666666667"},
                                                          {-9.5L, "-9.5"},
                                                          {999999999999999.5L, "1E15"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(NumberToText(value), Q(text)) << text;
}

TEST(RoundToCents, HalvesGoAwayFromZeroOnTheDecimalImage)
{
    const TextCase cases[] = {{"2.675", "2.68"},  {"1.005", "1.01"},   {"12.50", "12.5"},   {"3.456", "3.46"},
                              {"7", "7"},         {"0.005", "0.01"},   {"12.345", "12.35"}, {"8.00", "8"},
                              {"9.4905", "9.49"}, {"-2.675", "-2.68"}, {"0.004", "0"},      {"-0.004", "0"},
                              {"99.995", "100"},  {".", "0"},          {"1E20", "1E20"},    {"0.0001", "0"}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(RoundToCents(Q(in)), Q(out)) << in;
    EXPECT_THROW(RoundToCents(QString()), ConversionError);
}

// A total as shown.
TEST(RoundTotal, TiesGoToEvenOnBinaryValues)
{
    const std::pair<long double, const char *> cases[] = {
        {0.125L, "0.12"},
        {0.135L, "0.14"},
        {0.025L, "0.03"},
        {0.015L, "0.01"},
        {2.675L, "2.67"},
        {12.345L, "12.35"},
        {10.125L, "10.12"},
        {1.005L, "1"},
        {99.995L, "100"},
        {9.4905L, "9.49"},
        {87.35L, "87.35"},
        {0.0L, "0"},
        {19.9L + 17.5912L, "37.49"},
        // Exact halves once divided: only ties to even rounds them down.
        {0.005L, "0"},
        {27.265L, "27.26"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(TotalText(value), Q(text)) << text;
}

TEST(FormatDisplay, ShowsAtMostTwoDecimals)
{
    const std::pair<double, const char *> cases[] = {{9.4905, "9.49"},
                                                     {12.5, "12.5"},
                                                     {7.0, "7"},
                                                     {9.405, "9.4"},
                                                     {0.456, "0.46"},
                                                     {3.0, "3"},
                                                     {0.0, "0"},
                                                     {0.004, "0"},
                                                     {-1.235, "-1.24"},
                                                     {2.675, "2.67"}, // the double nearest 2.675 lies below it

                                                     {1234567.891, "1234567.89"},
                                                     {0.999, "1"}};
    for (const auto &[value, text] : cases)
        EXPECT_EQ(FormatDisplay(value, QStringLiteral("#0.##")), Q(text)) << text;
    EXPECT_EQ(FormatDisplay(2.5, QStringLiteral("0.00")), QStringLiteral("2.50"));
    EXPECT_EQ(FormatDisplay(2.5, QStringLiteral("#0")), QStringLiteral("3"));
}

TEST(FourDecimalSum, RoundsEachValueToFourDecimals)
{
    FourDecimalSum sum;
    EXPECT_EQ(NumberToText(sum.value()), QStringLiteral("0"));
    sum.add(9.4905);
    sum.add(0.00004); // below half of 0.0001: counts as 0
    EXPECT_EQ(NumberToText(sum.value()), QStringLiteral("9.4905"));
    sum.add(0.00006); // above half: counts as 0.0001
    EXPECT_EQ(NumberToText(sum.value()), QStringLiteral("9.4906"));
    sum.add(-9.4906);
    EXPECT_EQ(NumberToText(sum.value()), QStringLiteral("0"));

    FourDecimalSum tenths; // 0.1 added ten times stays exact in fixed point
    for (int i = 0; i < 10; ++i)
        tenths.add(0.1);
    EXPECT_EQ(tenths.value(), 1.0L);
}

struct LineCase
{
    const char *price, *quantity, *discount, *amount, *afterDiscount;
};

TEST(LinePricing, AmountsOfALine)
{
    const LineCase cases[] = {{"3.3", "3", "9.5", "9.9", "9.405"},
                              {"19.99", "1", "8.8", "19.99", "17.5912"},
                              {"0.01", "1", "0.1", "0.01", "0.0001"},
                              {"12.345", "2", "10", "24.69", "24.69"},
                              {"5", "2", "0", "10", "0"},
                              {".", "3", "10", "0", "0"},
                              {"2.5", "0", "9", "0", "0"},
                              {"10", "1", "12", "10", "12"}};
    for (const auto &c : cases) {
        const long double amount = LineAmount(Q(c.price), Q(c.quantity));
        EXPECT_EQ(NumberToText(amount), Q(c.amount)) << c.price << " x " << c.quantity;
        EXPECT_EQ(NumberToText(DiscountedAmount(Q(c.discount), amount)), Q(c.afterDiscount))
            << c.price << " x " << c.quantity << " at " << c.discount;
    }
    EXPECT_THROW(LineAmount(QStringLiteral("1"), QString()), ConversionError);
    EXPECT_THROW(DiscountedAmount(QStringLiteral("-"), 1.0L), ConversionError);
}

TEST(LinePricing, DiscountStepsRunFromTenDownToOneTenth)
{
    const QStringList steps = DiscountSteps();
    ASSERT_EQ(steps.size(), 100);
    EXPECT_EQ(steps.first(), QStringLiteral("10"));
    EXPECT_EQ(steps.at(1), QStringLiteral("9.9"));
    EXPECT_EQ(steps.at(10), QStringLiteral("9.0"));
    EXPECT_EQ(steps.at(90), QStringLiteral("1.0"));
    EXPECT_EQ(steps.at(95), QStringLiteral("0.5"));
    EXPECT_EQ(steps.last(), QStringLiteral("0.1"));
}

TEST(LinePricing, ChangeIsPaidMinusPayable)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"100", "87.35", "12.65"}, {"50", "87.35", "-37.35"}, {"200", "0.12", "199.88"}, {".", "9.4", "-9.4"},
        {"", "87.35", ""},         {"100", "", ""},           {"100", "100", "0"}};
    for (const auto &[paid, payable, change] : cases)
        EXPECT_EQ(ChangeText(Q(paid), Q(payable)), Q(change)) << paid << " - " << payable;
    EXPECT_THROW(ChangeText(QStringLiteral("1-"), QStringLiteral("3")), ConversionError);
}

TEST(LinePricing, DroppingTheFractionCutsTowardZero)
{
    const TextCase cases[] = {{"17.5912", "17"}, {"0.9999", "0"}, {"25", "25"}, {"-9.5", "-9"}, {"9.405", "9"}};
    for (const auto &[in, out] : cases)
        EXPECT_EQ(DropFraction(Q(in)), Q(out)) << in;
}

// Figures beyond what a shop's number may hold are refused by name, and what
// a file written before that limit may hold still displays without a crash.
TEST(ShopLimits, RefuseHugeAndNonFiniteFigures)
{
    const long double huge = TextToNumber(Q("1") + QString(309, QLatin1Char('0'))); // finite only as long double
    EXPECT_TRUE(ShopNumberWarning(kShopNumberLimit, Q("单价")).isEmpty());
    EXPECT_TRUE(ShopNumberWarning(-kShopNumberLimit, Q("支付")).isEmpty());
    EXPECT_TRUE(ShopNumberWarning(huge, Q("单价")).startsWith(Q("单价")));
    EXPECT_FALSE(ShopNumberWarning(std::numeric_limits<long double>::quiet_NaN(), Q("支付")).isEmpty());

    // Lines each within the limit whose totals are not.
    const TicketTotals others{1, 9e10L, 9e10L};
    EXPECT_TRUE(LineLimitWarning({1e10L, 1, 1e10L, 1e10L}, others).isEmpty());
    EXPECT_TRUE(LineLimitWarning({2e10L, 1, 2e10L, 2e10L}, others).startsWith(Q("合计金额")));

    EXPECT_THROW(ColumnValueFromText(ColumnKind::Number, Q("1e309"), Q("单价")), ConversionError);
    EXPECT_EQ(FormatDisplay(std::numeric_limits<double>::infinity(), Q("#0.##")), Q("INF"));
    EXPECT_EQ(FormatDisplay(-std::numeric_limits<double>::infinity(), Q("#0.##")), Q("-INF"));
}

} // namespace
