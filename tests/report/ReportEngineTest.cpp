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
    {
        report.setPaperWidthMm(60);
        report.setMarginsMm(QMarginsF(5, 10, 5, 10));
        report.setBandWidthMm(50);
        report.setHeightUnits(400);
        report.setDetailData(&lines);
        // Added out of order: the report prints title, detail, summary all the same.
        ReportBand *summary = report.addBand(ReportBand::Kind::Summary, QStringLiteral("Summary"), 30);
        ReportBand *detail = report.addBand(ReportBand::Kind::Detail, QStringLiteral("Detail"), 20);
        report.addBand(ReportBand::Kind::Title, QStringLiteral("Title"), 40)
            ->addLabel(QStringLiteral("Shop"), QStringLiteral("Shop A"), 1.85, 5.03, TextFont());
        detail->addField(QStringLiteral("Name"), lines, QStringLiteral("name"), 0, 0.53, TextFont());
        price = detail->addField(QStringLiteral("Price"), lines, QStringLiteral("price"), 10.05, 3.44, TextFont());
        total = summary->addLabel(QStringLiteral("Total"), QStringLiteral("合计："), 5.82, 0.79, TextFont());
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
    Report report{QStringLiteral("Sample")};
    ReportField *price;
    ReportLabel *total;
    ReportRichText *remark;
};

PlacedItem Only(const PrintedReport &printed, const QString &name)
{
    const auto found = printed.placementsOf(name);
    EXPECT_EQ(found.size(), 1u) << name.toStdString();
    return found.empty() ? PlacedItem{} : found.front();
}

} // namespace

// The sample's page is 400 units long with 20 mm of margins: 324.4 units for
// bands. A band that does not fit starts the next page at its top margin.
TEST(ReportPaging, BreaksThePageWhenABandDoesNotFit)
{
    const struct
    {
        const char *what;
        int rows;
        int remarkUnits;
        int pageUnits;
        int lastRowPage; // -1: no rows
        int summaryPage;
    } cases[] = {
        {"everything fits: 40 + 12·20 + 30 = 310 units", 12, 17, 400, 0, 0},
        {"the 13th row still fits (300 units), the summary does not", 13, 17, 400, 0, 1},
        {"the 15th row moves, and the summary follows it", 15, 17, 400, 1, 1},
        {"a remark box below the summary must fit as well: 280 + 20 + 34 > 324.4", 12, 34, 400, 0, 1},
        {"an empty box takes no room", 12, 0, 400, 0, 0},
        {"no rows: title and summary only", 0, 17, 400, -1, 0},
        {"no band fits: each stays at the top of its own page", 1, 17, 100, 1, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        SampleReport sample(c.rows);
        sample.remark->setHeightUnits(c.remarkUnits);
        sample.report.setHeightUnits(c.pageUnits);
        const PrintedReport printed = sample.report.run();
        EXPECT_EQ(printed.pageCount, c.summaryPage + 1);
        const auto names = printed.placementsOf(QStringLiteral("Name"));
        ASSERT_EQ(names.size(), size_t(c.rows));
        EXPECT_EQ(names.empty() ? -1 : names.back().page, c.lastRowPage);
        const PlacedItem total = Only(printed, QStringLiteral("Total"));
        EXPECT_EQ(total.page, c.summaryPage);
        if (c.summaryPage != c.lastRowPage && c.summaryPage > 0) {
            EXPECT_NEAR(total.topMm, 10 + 0.79, kTolMm);
        }
    }
}

TEST(ReportDesign, ShowsEachBandOnceWithCaptionsAndFieldNamesWithoutHooks)
{
    SampleReport sample(40);
    int hookRuns = 0;
    sample.price->setPrintHook([&](QString &) { ++hookRuns; });
    sample.total->setCaption(QStringLiteral("合计 9"));
    sample.report.setHeightUnits(120); // shorter than the bands: the design view does not break pages

    const PrintedReport design = sample.report.design();
    EXPECT_EQ(hookRuns, 0);
    EXPECT_EQ(design.pageCount, 1);
    EXPECT_EQ(Only(design, QStringLiteral("Name")).text, QStringLiteral("name"));
    EXPECT_EQ(Only(design, QStringLiteral("Price")).text, QStringLiteral("price"));
    EXPECT_EQ(Only(design, QStringLiteral("Total")).text, QStringLiteral("合计 9"));
    EXPECT_NEAR(design.pageSizeMm.height(), 120 * ReportUnits::kMmPerUnit, kTolMm);
}

TEST(ReportPdf, WritesThePagesAtThePaperSize)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sample.pdf"));
    SampleReport sample(15); // two pages, as in the paging cases
    sample.remark->setLinePitchUnits(17);
    sample.remark->setHeightUnits(34);
    sample.remark->setLines({QStringLiteral("第一行"), QStringLiteral("第二行"), QStringLiteral("第三行")});
    RenderReportToPdf(sample.report, path);

    EXPECT_EQ(PdfText::PageCount(path), 2);
    const QSizeF size = PdfText::PageSizeMm(path);
    EXPECT_NEAR(size.width(), 60, 0.1);
    EXPECT_NEAR(size.height(), 400 * ReportUnits::kMmPerUnit, 0.1);

    const QString text = PdfText::Text(path);
    for (const char *expected : {"Shop A", "货品1", "货品15", "22.5", "合计：", "第一行", "第二行"})
        EXPECT_TRUE(PdfText::Shows(text, QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    // A box two lines tall shows two lines.
    EXPECT_FALSE(PdfText::Shows(text, QStringLiteral("第三行"))) << text.toStdString();

    EXPECT_THROW(RenderReportToPdf(sample.report, QStringLiteral("/nonexistent-folder/x.pdf")), AppError);
}
