#include "base/AppError.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportUnits.h"
#include "report/TableData.h"
#include "tests/support/PdfText.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double kTolMm = 0.005;
const double kUnit = ReportUnits::kMmPerUnit;

QFont TextFont()
{
    return QFont(QStringLiteral("方正兰亭刊黑_GBK"), 8);
}

// A small report: 60 mm paper, 10 mm top and bottom margins, 5 mm at the sides;
// title 40 units, detail 20 units per row, summary 30 units.
struct SampleReport
{
    explicit SampleReport(int rows)
        : lines({QStringLiteral("name"), QStringLiteral("price")}, MakeRows(rows))
        , settings({QStringLiteral("shop")}, {{QStringLiteral("Shop A")}, {QStringLiteral("Shop B")}})
    {
        report.setPaperWidthMm(60);
        report.setMarginsMm(QMarginsF(5, 10, 5, 10));
        report.setBandWidthMm(50);
        report.setHeightUnits(400);
        report.setDetailData(&lines);
        // Added out of order: the report prints title, detail, summary all the same.
        summary = report.addBand(ReportBand::Kind::Summary, QStringLiteral("Summary"), 30);
        detail = report.addBand(ReportBand::Kind::Detail, QStringLiteral("Detail"), 20);
        title = report.addBand(ReportBand::Kind::Title, QStringLiteral("Title"), 40);

        title->addLabel(QStringLiteral("Dashes"), QStringLiteral("-----"), 0, -1.32, TextFont());
        title->addField(QStringLiteral("Shop"), settings, QStringLiteral("shop"), 1.85, 5.03, TextFont());
        detail->addField(QStringLiteral("Name"), lines, QStringLiteral("name"), 0, 0.53, TextFont());
        price = detail->addField(QStringLiteral("Price"), lines, QStringLiteral("price"), 10.05, 3.44, TextFont());
        summary->addLabel(QStringLiteral("Total"), QStringLiteral("合计："), 5.82, 0.79, TextFont());
        remark = summary->addRichText(QStringLiteral("Remark"), 0, 5.29, 40, 17, TextFont());
    }

    static std::vector<QStringList> MakeRows(int rows)
    {
        std::vector<QStringList> result;
        for (int i = 1; i <= rows; ++i)
            result.push_back({QStringLiteral("货品%1").arg(i), QString::number(i * 1.5)});
        return result;
    }

    TableData lines;
    TableData settings;
    Report report{QStringLiteral("Sample")};
    ReportBand *title;
    ReportBand *detail;
    ReportBand *summary;
    ReportField *price;
    ReportRichText *remark;
};

PlacedItem Only(const PrintedReport &printed, const QString &name)
{
    const auto found = printed.placementsOf(name);
    EXPECT_EQ(found.size(), 1u) << name.toStdString();
    return found.empty() ? PlacedItem{} : found.front();
}

} // namespace

// Added out of order, the bands print title, one detail per row, summary, from the top down.
TEST(ReportRun, StacksTitleThenOneDetailPerRowThenSummary)
{
    SampleReport sample(3);
    const PrintedReport printed = sample.report.run();
    EXPECT_EQ(printed.pageCount, 1);
    const auto names = printed.placementsOf(QStringLiteral("Name"));
    ASSERT_EQ(names.size(), 3u);
    double above = Only(printed, QStringLiteral("Shop")).topMm;
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(names[row].text, QStringLiteral("货品%1").arg(row + 1));
        EXPECT_GT(names[row].topMm, above);
        above = names[row].topMm;
    }
    EXPECT_GT(Only(printed, QStringLiteral("Total")).topMm, above);
}

TEST(ReportRun, NoRowsPrintsTitleAndSummaryOnly)
{
    SampleReport sample(0);
    const PrintedReport printed = sample.report.run();
    EXPECT_TRUE(printed.placementsOf(QStringLiteral("Name")).empty());
    EXPECT_NEAR(Only(printed, QStringLiteral("Total")).topMm, 10 + 40 * kUnit + 0.79, kTolMm);
}

TEST(ReportRun, FieldsReadTheirRowAndPassThroughTheirPrintHook)
{
    SampleReport sample(2);
    sample.price->setPrintHook([](QString &text) { text = QLatin1Char('<') + text + QLatin1Char('>'); });

    sample.settings.setCurrentRow(1);
    PrintedReport printed = sample.report.run();
    const auto prices = printed.placementsOf(QStringLiteral("Price"));
    ASSERT_EQ(prices.size(), 2u);
    EXPECT_EQ(prices[0].text, QStringLiteral("<1.5>"));
    EXPECT_EQ(prices[1].text, QStringLiteral("<3>"));
    // Outside the detail band a field shows its source's current row.
    EXPECT_EQ(Only(printed, QStringLiteral("Shop")).text, QStringLiteral("Shop B"));

    sample.settings.setCurrentRow(-1);
    printed = sample.report.run();
    EXPECT_EQ(Only(printed, QStringLiteral("Shop")).text, QString());
}

TEST(ReportRun, BeforePrintHookRunsEachTimeItsBandPrints)
{
    SampleReport sample(3);
    int detailRuns = 0;
    ReportLabel *counter = sample.detail->addLabel(QStringLiteral("Counter"), QString(), 30, 0, TextFont());
    sample.detail->setBeforePrint([&] { counter->setCaption(QString::number(++detailRuns)); });
    sample.summary->setBeforePrint([&] { sample.remark->setLines({QStringLiteral("a"), QStringLiteral("b")}); });

    const PrintedReport printed = sample.report.run();
    EXPECT_EQ(detailRuns, 3);
    const auto counters = printed.placementsOf(QStringLiteral("Counter"));
    ASSERT_EQ(counters.size(), 3u);
    EXPECT_EQ(counters[2].text, QStringLiteral("3"));

    const PlacedItem remark = Only(printed, QStringLiteral("Remark"));
    EXPECT_EQ(remark.text, QStringLiteral("a\nb"));
    EXPECT_NEAR(remark.widthMm, 40, kTolMm);
    EXPECT_NEAR(remark.heightMm, 17 * kUnit, kTolMm);
}

// The sample's page is 400 units long with 20 mm of margins: 324.4 units for bands.
struct PagingCase
{
    int rows;
    int remarkUnits;
    int pages;
    int lastRowPage;
    double lastRowTopMm; // of the last detail band
    int summaryPage;
    double summaryTopMm;
};

class ReportPaging : public ::testing::TestWithParam<PagingCase>
{ };

TEST_P(ReportPaging, BreaksThePageWhenABandDoesNotFit)
{
    const PagingCase c = GetParam();
    SampleReport sample(c.rows);
    sample.remark->setHeightUnits(c.remarkUnits);
    const PrintedReport printed = sample.report.run();

    EXPECT_EQ(printed.pageCount, c.pages);
    const PlacedItem lastRow = printed.placementsOf(QStringLiteral("Name")).back();
    EXPECT_EQ(lastRow.page, c.lastRowPage);
    EXPECT_NEAR(lastRow.topMm, c.lastRowTopMm + 0.53, kTolMm);
    const PlacedItem total = Only(printed, QStringLiteral("Total"));
    EXPECT_EQ(total.page, c.summaryPage);
    EXPECT_NEAR(total.topMm, c.summaryTopMm + 0.79, kTolMm);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportPaging,
                         ::testing::Values(
                             // Everything fits: 40 + 12·20 + 30 = 310 units.
                             PagingCase{12, 17, 1, 0, 10 + 260 * kUnit, 0, 10 + 280 * kUnit},
                             // The 13th row still fits (300 units), the summary moves to a new page.
                             PagingCase{13, 17, 2, 0, 10 + 280 * kUnit, 1, 10},
                             // The 15th row moves, and the summary follows it.
                             PagingCase{15, 17, 2, 1, 10, 1, 10 + 20 * kUnit},
                             // A remark box hanging below the summary must fit as well: 280 + 20 + 34 > 324.4.
                             PagingCase{12, 34, 2, 0, 10 + 260 * kUnit, 1, 10},
                             // An empty box takes no room.
                             PagingCase{12, 0, 1, 0, 10 + 260 * kUnit, 0, 10 + 280 * kUnit}));

TEST(ReportPaging, BandTallerThanAPageStaysAtTheTopOfItsOwnPage)
{
    SampleReport sample(1);
    sample.report.setHeightUnits(100); // 6.46 mm for bands: nothing fits
    const PrintedReport printed = sample.report.run();
    EXPECT_EQ(printed.pageCount, 3);
    EXPECT_EQ(Only(printed, QStringLiteral("Name")).page, 1);
    EXPECT_EQ(Only(printed, QStringLiteral("Total")).page, 2);
    EXPECT_NEAR(Only(printed, QStringLiteral("Total")).topMm, 10 + 0.79, kTolMm);
}

TEST(ReportDesign, ShowsEachBandOnceWithCaptionsAndFieldNamesWithoutHooks)
{
    SampleReport sample(40);
    int hookRuns = 0;
    sample.summary->setBeforePrint([&] { ++hookRuns; });
    sample.price->setPrintHook([&](QString &) { ++hookRuns; });
    sample.report.label(QStringLiteral("Total"))->setCaption(QStringLiteral("合计 9"));
    sample.report.setHeightUnits(120); // shorter than the bands: the design view does not break pages

    const PrintedReport design = sample.report.design();
    EXPECT_EQ(hookRuns, 0);
    EXPECT_EQ(design.pageCount, 1);
    EXPECT_EQ(Only(design, QStringLiteral("Name")).text, QStringLiteral("name"));
    EXPECT_EQ(Only(design, QStringLiteral("Price")).text, QStringLiteral("price"));
    EXPECT_EQ(Only(design, QStringLiteral("Shop")).text, QStringLiteral("shop"));
    EXPECT_EQ(Only(design, QStringLiteral("Total")).text, QStringLiteral("合计 9"));
    EXPECT_NEAR(Only(design, QStringLiteral("Total")).topMm, 10 + 60 * kUnit + 0.79, kTolMm);
    EXPECT_NEAR(design.pageSizeMm.height(), 120 * kUnit, kTolMm);
}

TEST(ReportLookup, NamesMustExistAndBeOfTheAskedKind)
{
    SampleReport sample(1);
    EXPECT_EQ(sample.report.label(QStringLiteral("Total"))->caption(), QStringLiteral("合计："));
    EXPECT_EQ(sample.report.richText(QStringLiteral("Remark")), sample.remark);
    EXPECT_THROW(sample.report.label(QStringLiteral("QRLabel99")), AppError);
    EXPECT_THROW(sample.report.label(QStringLiteral("Price")), AppError);
    EXPECT_THROW(sample.report.band(QStringLiteral("Footer")), AppError);
}

TEST(ReportPdf, WritesThePagesAtThePaperSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.pdf"));
    SampleReport sample(15); // two pages, as in the paging cases
    sample.remark->setLinePitchUnits(17);
    sample.remark->setHeightUnits(34);
    sample.summary->setBeforePrint([&] {
        sample.remark->setLines({QStringLiteral("第一行"), QStringLiteral("第二行"), QStringLiteral("第三行")});
    });
    RenderReportToPdf(sample.report, path);

    EXPECT_EQ(PdfText::PageCount(path), 2);
    const QSizeF size = PdfText::PageSizeMm(path);
    EXPECT_NEAR(size.width(), 60, 0.1);
    EXPECT_NEAR(size.height(), 400 * kUnit, 0.1);

    const QString text = PdfText::Text(path);
    for (const char *expected : {"Shop A", "货品1", "货品15", "22.5", "合计：", "第一行", "第二行"})
        EXPECT_TRUE(PdfText::Shows(text, QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // A box two lines tall shows two lines.
    EXPECT_FALSE(PdfText::Shows(text, QStringLiteral("第三行"))) << text.toStdString();
}

TEST(ReportPdf, UnwritablePathIsReported)
{
    SampleReport sample(1);
    EXPECT_THROW(RenderReportToPdf(sample.report, QStringLiteral("/nonexistent-folder/x.pdf")), AppError);
}
