#include "checkout/ReceiptFigures.h"
#include "report/ReportUnits.h"
#include "tests/report/ReceiptWindows.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

constexpr double kTolMm = 0.05;
const double kUnit = ReportUnits::kMmPerUnit;
constexpr double kLeftMarginMm = 5;
constexpr double kTopMarginMm = 10;

Report *ReportOf(TReceiptForm &window, int report)
{
    return report == 1 ? window.QuickRep1 : window.QuickRep2;
}

const PlacedBand *FindBand(const PrintedReport &printed, const QString &name)
{
    for (const auto &band : printed.bands) {
        if (band.name == name)
            return &band;
    }
    return nullptr;
}

} // namespace

// The layout does not depend on the data: the cases of a suite read the same
// four windows on one data file.
template <typename Case>
class SharedWindows : public ::testing::TestWithParam<Case>
{
public:
    static void SetUpTestSuite() { s_data = std::make_unique<TempData>(); }
    static void TearDownTestSuite()
    {
        for (auto &window : s_windows)
            window.reset();
        s_data.reset();
    }

protected:
    static TReceiptForm &Window(Template which)
    {
        auto &window = s_windows[static_cast<int>(which)];
        if (!window)
            window = MakeWindow(which);
        return *window;
    }

private:
    static inline std::unique_ptr<TempData> s_data;
    static inline std::unique_ptr<TReceiptForm> s_windows[4];
};

// Item positions, measured from their band's top-left corner, as the design view shows them.
struct ItemCase
{
    Template window;
    int report;
    const char *band;
    const char *item;
    const char *text; // caption, placeholder or field name
    double leftMm;
    double topMm;
    double pointSize;
    bool bold;
};

void PrintTo(const ItemCase &c, std::ostream *out)
{
    *out << TemplateName(c.window) << ".QuickRep" << c.report << "." << c.item;
}

class ReceiptItems : public SharedWindows<ItemCase>
{
};

TEST_P(ReceiptItems, SitInTheirBandWithTheirTextAndFont)
{
    const ItemCase c = GetParam();
    const PrintedReport design = ReportOf(Window(c.window), c.report)->design();
    const PlacedBand *band = FindBand(design, QString::fromUtf8(c.band));
    ASSERT_NE(band, nullptr);
    const auto placed = design.placementsOf(QString::fromUtf8(c.item));
    ASSERT_EQ(placed.size(), 1u);
    const PlacedItem &item = placed.front();

    EXPECT_EQ(item.text, QString::fromUtf8(c.text));
    EXPECT_NEAR(item.leftMm - kLeftMarginMm, c.leftMm, kTolMm);
    EXPECT_NEAR(item.topMm - band->topMm, c.topMm, kTolMm);
    EXPECT_NEAR(item.font.pointSizeF(), c.pointSize, 0.01);
    EXPECT_EQ(item.font.bold(), c.bold);
    const bool dashLine = QString::fromUtf8(c.text).startsWith(QLatin1Char('-'));
    EXPECT_EQ(item.font.family(), dashLine ? QStringLiteral("Arial") : QStringLiteral("方正兰亭刊黑_GBK"));
}

namespace {
const char *const kGap58 = "----------                       ----------";
const char *const kGap76 = "-----------------                          ----------------";
const char *const kDash42 = "------------------------------------------";
const char *const kDash59 = "-----------------------------------------------------------";
} // namespace

INSTANTIATE_TEST_SUITE_P(
    OnePart, ReceiptItems,
    ::testing::Values(
        ItemCase{Template::Dy58, 1, "QRBand2", "QRLabel20", kGap58, 0.00, -1.32, 10, false},
        ItemCase{Template::Dy58, 1, "QRBand2", "QRLabel2", "收银员", 21.96, 0.00, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand2", "QRDBText1", "店名", 1.85, 5.03, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand2", "QRLabel6", "时间", 9.79, 15.88, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand2", "QRLabel10", "金额", 31.75, 22.49, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand1", "QRDBText4", "数量", 22.49, 3.44, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand3", "QRLabel13", "金额", 31.75, 0.79, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand3", "QRLabel19", "找零", 14.82, 14.55, 8, false},
        ItemCase{Template::Dy58, 1, "QRBand3", "QRRichText1", "", 0.00, 22.49, 8, false},
        ItemCase{Template::Dy58, 2, "QRBand6", "QRLabel50", kGap58, 0.00, -0.79, 10, false},
        ItemCase{Template::Dy58, 2, "QRBand6", "QRLabel25", "收银员", 21.96, 0.00, 8, false},
        ItemCase{Template::Dy58, 2, "QRBand6", "QRLabel33", "电话", 9.79, 25.40, 8, false},
        ItemCase{Template::Dy58, 2, "QRBand6", "QRLabel51", kDash42, 0.00, 33.87, 10, false},
        ItemCase{Template::Dy58, 2, "QRBand6", "QRLabel38", "数量", 22.23, 37.04, 8, false},
        ItemCase{Template::Dy58, 2, "QRBand4", "QRDBText10", "折后", 31.75, 3.44, 8, false},
        ItemCase{Template::Dy58, 2, "QRBand5", "QRLabel46", "折后", 14.82, 10.05, 8, false},
        ItemCase{Template::Dy76, 1, "QRBand2", "QRLabel21", kGap76, 1.32, -0.79, 10, false},
        ItemCase{Template::Dy76, 1, "QRBand2", "QRLabel1", "收银员：", 20.37, 0.00, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand2", "QRLabel9", "数量", 32.01, 22.49, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand1", "QRDBText2", "品名", 1.85, 0.26, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand1", "QRDBText5", "折后", 45.77, 3.97, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand3", "QRLabel11", "合计：", 8.20, 0.79, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand3", "QRLabel17", "折后", 17.99, 10.05, 9, false},
        ItemCase{Template::Dy76, 1, "QRBand3", "QRLabel23", kDash59, 1.32, 17.99, 10, false},
        ItemCase{Template::Dy76, 1, "QRBand3", "QRRichText1", "", 1.32, 22.49, 9, false},
        ItemCase{Template::Dy76, 2, "QRBand6", "QRDBText10", "店名", 1.85, 5.03, 9, false},
        ItemCase{Template::Dy76, 2, "QRBand6", "QRLabel35", "地址", 9.79, 30.16, 9, false},
        ItemCase{Template::Dy76, 2, "QRBand4", "QRDBText7", "数量", 32.01, 3.97, 9, false},
        ItemCase{Template::Dy76, 2, "QRBand4", "QRDBText6", "折后", 45.77, 3.97, 9, false},
        ItemCase{Template::Dy76, 2, "QRBand5", "QRLabel41", "数量", 32.28, 0.79, 9, false}));

INSTANTIATE_TEST_SUITE_P(
    TwoPart, ReceiptItems,
    ::testing::Values(
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel1", "支付凭证", 2.12, 0.53, 11, true},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel20", "店名", 10.58, 5.29, 8, false},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel59", "消费金额", 16.93, 20.64, 11, true},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel58", "消费金额：", 2.12, 21.17, 8, false},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRDBText1", "店名", 1.85, 37.57, 9, true},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel4", "单号", 9.79, 43.13, 8, false},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel22", kDash42, 0.00, 51.33, 10, false},
        ItemCase{Template::Edy58, 1, "QRBand2", "QRLabel10", "金额", 31.75, 56.62, 8, false},
        ItemCase{Template::Edy58, 1, "QRBand1", "QRDBText3", "单价", 10.05, 3.44, 8, false},
        ItemCase{Template::Edy58, 1, "QRBand3", "QRLabel15", "支付", 14.82, 5.29, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel56", "支付凭证", 2.12, 0.53, 11, true},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel60", "时间", 10.58, 13.23, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel62", "消费金额", 16.93, 20.64, 11, true},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel31", "客户", 9.79, 29.10, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel34", "地址：", 1.85, 38.63, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRDBText6", "店名", 1.85, 57.94, 10, true},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel29", "时间", 9.79, 68.79, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel51", kDash42, -2.12, 71.97, 10, false},
        ItemCase{Template::Edy58, 2, "QRBand6", "QRLabel36", "品名", 0.00, 75.14, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand4", "QRDBText7", "品名", 0.00, 0.53, 8, false},
        ItemCase{Template::Edy58, 2, "QRBand5", "QRLabel52", kDash42, 0.00, 17.99, 10, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel1", "支付凭证", 2.12, 0.53, 11, true},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel53", "单号", 9.79, 9.26, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel54", "时间：", 2.12, 13.23, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel59", "消费金额", 16.93, 20.64, 11, true},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRDBText1", "店名", 1.85, 36.78, 11, true},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel3", "单号：", 1.85, 42.86, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel6", "时间", 9.79, 47.62, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel22", kDash59, 1.32, 51.06, 10, false},
        ItemCase{Template::Edy76, 1, "QRBand2", "QRLabel8", "单价", 17.73, 54.24, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand1", "QRDBText4", "数量", 32.01, 3.97, 9, false},
        ItemCase{Template::Edy76, 1, "QRBand3", "QRLabel13", "金额", 45.51, 0.79, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel25", "店名", 9.79, 5.29, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel61", "消费金额：", 2.12, 21.17, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel33", "电话", 9.79, 33.87, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRDBText10", "店名", 1.85, 55.83, 11, true},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel27", "单号", 9.79, 61.91, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel28", "时间：", 1.85, 66.67, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel51", kDash59, 1.32, 69.85, 10, false},
        ItemCase{Template::Edy76, 2, "QRBand6", "QRLabel39", "金额", 45.77, 73.03, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand4", "QRDBText9", "单价", 17.73, 3.97, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand5", "QRLabel48", "找零", 17.99, 14.55, 9, false},
        ItemCase{Template::Edy76, 2, "QRBand5", "QRRichText2", "", 1.32, 22.49, 9, false}));

// Page and band geometry of each report before the first print.
struct PageCase
{
    Template window;
    int report;
    double paperWidthMm;
    int titleUnits;
    int detailUnits;
    int designUnits;
};

void PrintTo(const PageCase &c, std::ostream *out)
{
    *out << TemplateName(c.window) << ".QuickRep" << c.report;
}

class ReceiptPages : public SharedWindows<PageCase>
{
};

TEST_P(ReceiptPages, HaveTheirPaperAndBands)
{
    const PageCase c = GetParam();
    const PrintedReport design = ReportOf(Window(c.window), c.report)->design();
    EXPECT_NEAR(design.pageSizeMm.width(), c.paperWidthMm, 0.005);
    EXPECT_NEAR(design.pageSizeMm.height(), c.designUnits * kUnit, 0.005);

    // Title, detail and summary follow each other from the top margin down.
    ASSERT_EQ(design.bands.size(), 3u);
    EXPECT_EQ(design.bands[0].name, QString::fromUtf8(c.report == 1 ? "QRBand2" : "QRBand6"));
    EXPECT_EQ(design.bands[1].name, QString::fromUtf8(c.report == 1 ? "QRBand1" : "QRBand4"));
    EXPECT_EQ(design.bands[2].name, QString::fromUtf8(c.report == 1 ? "QRBand3" : "QRBand5"));
    EXPECT_NEAR(design.bands[0].topMm, kTopMarginMm, 0.005);
    EXPECT_NEAR(design.bands[0].heightMm, c.titleUnits * kUnit, 0.005);
    EXPECT_NEAR(design.bands[1].heightMm, c.detailUnits * kUnit, 0.005);
    EXPECT_NEAR(design.bands[2].heightMm, 103 * kUnit, 0.005);
    EXPECT_NEAR(design.bands[2].topMm, kTopMarginMm + (c.titleUnits + c.detailUnits) * kUnit, 0.005);
}

INSTANTIATE_TEST_SUITE_P(All, ReceiptPages,
                         ::testing::Values(PageCase{Template::Dy58, 1, 57.94, 100, 25, 305},
                                           PageCase{Template::Dy58, 2, 57.94, 155, 25, 360},
                                           PageCase{Template::Dy76, 1, 75.94, 100, 30, 310},
                                           PageCase{Template::Dy76, 2, 75.94, 155, 30, 365},
                                           PageCase{Template::Edy58, 1, 57.94, 230, 25, 435},
                                           PageCase{Template::Edy58, 2, 57.94, 300, 25, 505},
                                           PageCase{Template::Edy76, 1, 75.94, 225, 30, 435},
                                           PageCase{Template::Edy76, 2, 75.94, 295, 30, 505}));

TEST(ReceiptFigures, PrintWithTwoDecimalsRoundingHalvesAwayFromZero)
{
    const struct
    {
        const char *text;
        const char *printed;
    } cases[] = {
        {"12.5", "12.50"}, {"3", "3.00"},      {"", "0.00"},         {"abc", "0.00"},
        {"2.675", "2.68"}, {"1.005", "1.01"},  {"-2.675", "-2.68"},  {"0.004", "0.00"},
        {"-0.004", "0.00"}, {"9.405", "9.41"}, {"1E3", "1000.00"},   {"17.5912", "17.59"},
        {".", "0.00"},     {"12,5", "0.00"},   {"123456789.995", "123456790.00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatFigure(QString::fromUtf8(c.text)), QString::fromUtf8(c.printed)) << c.text;
}

TEST(ReceiptFigures, RemarkLinesAreTheMemosLines)
{
    EXPECT_EQ(MemoLines(QString()), QStringList());
    EXPECT_EQ(MemoLines(QStringLiteral("a\nb")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(MemoLines(QStringLiteral("a\r\nb\r\n")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(MemoLines(QStringLiteral("a\n\nb")),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
}
