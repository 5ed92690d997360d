#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportUnits.h"
#include "report/TextFlow.h"
#include "tests/receipts/SampleOrder.h"
#include "tests/support/PdfText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const double kUnit = ReportUnits::kMmPerUnit;

struct PdfCase
{
    ReceiptTemplate which;
    bool withCustomer;
};

// The expected text of a receipt, as pdftotext reads it; blanks do not count.
// A deliberate change of the receipts is accepted by regenerating the files
// with SC_UPDATE_GOLDEN=1 (see ReceiptLayoutTest.cpp) and reading them over.
QString ExpectedPath(const PdfCase &c)
{
    return QDir(QStringLiteral(SC_GOLDEN_DIR))
        .filePath(QStringLiteral("%1%2.txt")
                      .arg(QString::fromUtf8(TemplateName(c.which)),
                           c.withCustomer ? QStringLiteral("-customer") : QString()));
}

QString ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

void PrintTo(const PdfCase &c, std::ostream *out)
{
    *out << TemplateName(c.which) << (c.withCustomer ? " with customer" : "");
}

QString WithoutBlanks(const QString &text)
{
    QString result = text.normalized(QString::NormalizationForm_KC);
    result.remove(QRegularExpression(QStringLiteral("\\s")));
    return result;
}

int LineUnits(ReceiptTemplate which)
{
    return IsWide(which) ? 30 : 25;
}

const PlacedBand &BandNamed(const PrintedReport &printed, const QString &name)
{
    for (const auto &band : printed.bands) {
        if (band.name == name)
            return band;
    }
    throw std::runtime_error("no band " + name.toStdString());
}

} // namespace

class ReceiptPdf : public ::testing::TestWithParam<PdfCase>
{
protected:
    QTemporaryDir dir;
};

// The whole text of each receipt, in reading order: every value in its place,
// figures in "0.00", the variant's own blocks and nothing of the other's.
TEST_P(ReceiptPdf, ShowsTheTicketOnPaperOfItsLength)
{
    const PdfCase c = GetParam();
    const ReceiptOrder order = SampleOrder(c.which, c.withCustomer);
    const auto receipt = BuildReceipt(order);
    ASSERT_NE(receipt, nullptr);
    const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
    RenderReportToPdf(*receipt, path);

    // The PDF keeps its page size in whole points (0.35 mm).
    const QSizeF size = PdfText::PageSizeMm(path);
    EXPECT_NEAR(size.width(), IsWide(c.which) ? 75.94 : 57.94, 0.36);
    EXPECT_NEAR(size.height(), (17 * 2 + LineUnits(c.which) * 3 + BaseLengthUnits(c.which)) * kUnit, 0.36);
    EXPECT_EQ(PdfText::PageCount(path), 1);
    const QString text = PdfText::Text(path);
    if (qEnvironmentVariableIsSet("SC_UPDATE_GOLDEN")) {
        QFile file(ExpectedPath(c));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return;
    }
    EXPECT_EQ(WithoutBlanks(text).toStdString(), WithoutBlanks(ReadFile(ExpectedPath(c))).toStdString())
        << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    All, ReceiptPdf,
    ::testing::Values(PdfCase{ReceiptTemplate::OnePart58, false}, PdfCase{ReceiptTemplate::OnePart58, true},
                      PdfCase{ReceiptTemplate::OnePart76, false}, PdfCase{ReceiptTemplate::OnePart76, true},
                      PdfCase{ReceiptTemplate::TwoPart58, false}, PdfCase{ReceiptTemplate::TwoPart58, true},
                      PdfCase{ReceiptTemplate::TwoPart76, false}, PdfCase{ReceiptTemplate::TwoPart76, true}));

TEST(ReceiptChoice, SettingsChooseTheTemplateAndTheCustomerFlagTheVariant)
{
    ReceiptOrder order = SampleOrder(ReceiptTemplate::TwoPart76, true);
    const auto receipt = BuildReceipt(order);
    ASSERT_NE(receipt, nullptr);
    EXPECT_EQ(receipt->objectName(), QStringLiteral("QuickRep2"));
    EXPECT_NEAR(receipt->paperWidthMm(), 75.94, 0.005);
    EXPECT_NO_THROW(receipt->label(QStringLiteral("QRLabel62")));

    order.settings.pos = QStringLiteral("80");
    EXPECT_EQ(BuildReceipt(order), nullptr);
}

// The paper follows the real height of a detail row: a 76 mm row is 30 units
// tall, and a length grown by 25 units per line ran the summary of a long
// ticket onto a second page.
TEST(ReceiptLength, GrowsWithRemarkAndLines)
{
    for (ReceiptTemplate which : kAllTemplates) {
        for (const auto &[remarkLines, ticketLines] : {std::pair{0, 1}, {2, 5}, {3, 40}}) {
            ReceiptOrder order = SampleOrder(which, false, ticketLines);
            order.remarkLines = remarkLines;
            const PrintedReport printed = BuildReceipt(order)->run();
            EXPECT_NEAR(printed.pageSizeMm.height(),
                        (17 * remarkLines + LineUnits(which) * ticketLines + BaseLengthUnits(which)) * kUnit, 0.005)
                << TemplateName(which);
            EXPECT_EQ(printed.pageCount, 1) << TemplateName(which) << " with " << ticketLines << " lines";
        }
    }
}

TEST(ReceiptLength, PlainReceiptsOfFiveLinesFitOnePage)
{
    for (ReceiptTemplate which : kAllTemplates) {
        ReceiptOrder order = SampleOrder(which, false, 5);
        order.settings.remark = QStringLiteral("一\n二\n三");
        order.remarkLines = 3;
        EXPECT_EQ(BuildReceipt(order)->run().pageCount, 1) << TemplateName(which);
    }
}

TEST(ReceiptRemark, ThreeLinesFillABoxOf51UnitsBelowTheSummaryDashes)
{
    for (ReceiptTemplate which : {ReceiptTemplate::OnePart58, ReceiptTemplate::TwoPart76}) {
        for (bool withCustomer : {false, true}) {
            ReceiptOrder order = SampleOrder(which, withCustomer, 1);
            order.settings.remark = QStringLiteral("第一行\n第二行\n第三行\n");
            order.remarkLines = 3;
            const PrintedReport printed = BuildReceipt(order)->run();
            const PlacedItem remark
                = printed.placementsOf(QString::fromUtf8(withCustomer ? "QRRichText2" : "QRRichText1")).front();
            const PlacedBand &summary = BandNamed(printed, QString::fromUtf8(withCustomer ? "QRBand5" : "QRBand3"));
            EXPECT_EQ(remark.text, QStringLiteral("第一行\n第二行\n第三行"));
            EXPECT_NEAR(remark.heightMm, 13.49, 0.005);
            EXPECT_NEAR(remark.topMm - summary.topMm, 22.49, 0.005);
            // It reaches below the 103-unit band, and the paper makes room for it.
            EXPECT_GT(remark.topMm + remark.heightMm, summary.topMm + summary.heightMm);
            EXPECT_LE(remark.topMm + remark.heightMm, printed.pageSizeMm.height() - 10);
        }
    }
}

TEST(ReceiptLayout, ShowsPlaceholdersAndFieldNamesAtTheDesignLength)
{
    const PrintedReport shown = BuildReceiptLayout(ReceiptTemplate::OnePart58, ReceiptReport::Plain)->design();
    const auto textOf = [&](const char *item) { return shown.placementsOf(QString::fromUtf8(item)).front().text; };
    EXPECT_EQ(textOf("QRLabel2"), QStringLiteral("收银员"));
    EXPECT_EQ(textOf("QRLabel4"), QStringLiteral("单号"));
    EXPECT_EQ(textOf("QRDBText1"), QStringLiteral("店名"));
    EXPECT_EQ(textOf("QRDBText2"), QStringLiteral("品名"));
    EXPECT_EQ(textOf("QRDBText5"), QStringLiteral("折后"));
    EXPECT_EQ(textOf("QRLabel19"), QStringLiteral("找零"));
    EXPECT_NEAR(shown.pageSizeMm.height(), 305 * kUnit, 0.005);
}

// Every dash rule lies inside the paper, also below the lines of a long
// ticket, and the full rules of a receipt start where its other full rules start.
TEST(ReceiptRules, StayInsideThePaperAndLineUp)
{
    for (ReceiptTemplate which : kAllTemplates) {
        for (bool withCustomer : {false, true}) {
            const PrintedReport printed = BuildReceipt(SampleOrder(which, withCustomer, 40))->run();
            EXPECT_EQ(printed.pageCount, 1) << TemplateName(which);
            double fullRuleLeft = -1;
            for (const PlacedItem &item : printed.items) {
                if (!item.text.startsWith(QStringLiteral("---")))
                    continue;
                const double right = item.leftMm + TextFlow::WidthMm(item.text, item.font);
                EXPECT_LE(right, printed.pageSizeMm.width())
                    << TemplateName(which) << " " << item.name.toStdString() << " ends at " << right;
                EXPECT_EQ(item.page, 0) << TemplateName(which) << " " << item.name.toStdString();
                EXPECT_LT(item.topMm, printed.pageSizeMm.height())
                    << TemplateName(which) << " " << item.name.toStdString();
                if (item.text.contains(QLatin1Char(' ')))
                    continue; // the gapped rules above the cashier
                if (fullRuleLeft < 0)
                    fullRuleLeft = item.leftMm;
                EXPECT_NEAR(item.leftMm, fullRuleLeft, 0.005) << TemplateName(which) << " " << item.name.toStdString();
            }
        }
    }
}

// A product name too long for one row wraps: its figures and the lines after
// it move down by the rows it added, and the paper grows by as much.
TEST(ReceiptWrapping, LongNamePushesItsFiguresAndTheNextLineDown)
{
    const QString longName = QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g");
    for (ReceiptTemplate which : kAllTemplates) {
        ReceiptOrder order = SampleOrder(which, false);
        order.ticket.lines[0].name = longName;
        const auto receipt = BuildReceipt(order);
        const PrintedReport printed = receipt->run();
        const auto fields = [&](const char *name) { return printed.placementsOf(QString::fromUtf8(name)); };
        const std::vector<PlacedItem> names = fields("QRDBText2");
        const std::vector<PlacedItem> prices = fields("QRDBText3");
        ASSERT_EQ(names.size(), 3u);
        ASSERT_GT(printed.grownMm, 2) << TemplateName(which) << ": the name did not wrap";

        const double rowMm = (IsWide(which) ? 30 : 25) * kUnit;
        const double plainGap = prices[1].topMm - names[1].topMm;
        EXPECT_NEAR(prices[0].topMm - names[0].topMm, plainGap + printed.grownMm, 0.005) << TemplateName(which);
        EXPECT_NEAR(names[1].topMm - names[0].topMm, rowMm + printed.grownMm, 0.005) << TemplateName(which);
        EXPECT_NEAR(names[2].topMm - names[1].topMm, rowMm, 0.005) << TemplateName(which);

        EXPECT_EQ(printed.pageCount, 1) << TemplateName(which);
        const double plainLength = BuildReceipt(SampleOrder(which, false))->run().pageSizeMm.height();
        EXPECT_NEAR(printed.pageSizeMm.height() - plainLength, printed.grownMm, kUnit) << TemplateName(which);
    }
}

TEST(ReceiptWrapping, TheWholeNamePrintsOnOnePage)
{
    QTemporaryDir dir;
    ReceiptOrder order = SampleOrder(ReceiptTemplate::OnePart58, false, 12);
    order.ticket.lines[0].name = QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g");
    const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
    RenderReportToPdf(*BuildReceipt(order), path);
    EXPECT_EQ(PdfText::PageCount(path), 1);
    const QString text = PdfText::Text(path);
    EXPECT_TRUE(PdfText::Shows(text, order.ticket.lines[0].name + QStringLiteral("12.502.0025.00")))
        << text.toStdString();
    EXPECT_TRUE(PdfText::Shows(text, QStringLiteral("欢迎再次光临谢谢惠顾"))) << text.toStdString();
}

// A long-named six-line ticket, read back from the PDF: one page on every
// template, no two words on top of each other, every word on the paper.
TEST(ReceiptWrapping, NoWordOverlapsAnotherOrLeavesThePaper)
{
    QTemporaryDir dir;
    for (ReceiptTemplate which : kAllTemplates) {
        for (bool withCustomer : {false, true}) {
            SCOPED_TRACE(std::string(TemplateName(which)) + (withCustomer ? " with customer" : ""));
            ReceiptOrder order = SampleOrder(which, withCustomer, 6);
            order.ticket.lines[2].name = QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g");
            const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
            RenderReportToPdf(*BuildReceipt(order), path);
            ASSERT_EQ(PdfText::PageCount(path), 1);
            const QSizeF pagePoints = PdfText::PageSizeMm(path) * (72 / 25.4);
            const QRectF paper(QPointF(0, 0), pagePoints);
            const std::vector<PdfText::Word> words = PdfText::Words(path);
            ASSERT_GT(words.size(), 20u);
            // A word's box spans its font's whole line height and each glyph's
            // full advance, while the ink lies inside: a caption's full-width
            // colon may reach into the value after it, but no word may cover a
            // quarter of another. The dash rules are left out: they are thin
            // lines drawn across rows by design.
            const auto ink = [](const QRectF &box) {
                return box.adjusted(0, box.height() * 0.2, 0, -box.height() * 0.2);
            };
            const auto area = [](const QRectF &box) { return box.width() * box.height(); };
            const auto covers = [&](const QRectF &a, const QRectF &b) {
                return area(ink(a) & ink(b)) > 0.25 * std::min(area(ink(a)), area(ink(b)));
            };
            const auto isRule = [](const QString &text) { return text.startsWith(QStringLiteral("---")); };
            for (size_t i = 0; i < words.size(); ++i) {
                EXPECT_TRUE(paper.contains(words[i].box)) << words[i].text.toStdString();
                for (size_t j = i + 1; j < words.size(); ++j) {
                    if (isRule(words[i].text) || isRule(words[j].text))
                        continue;
                    EXPECT_FALSE(covers(words[i].box, words[j].box))
                        << words[i].text.toStdString() << " overlaps " << words[j].text.toStdString();
                }
            }
        }
    }
}
