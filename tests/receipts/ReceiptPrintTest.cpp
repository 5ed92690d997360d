#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "tests/receipts/Golden.h"
#include "tests/receipts/SampleOrder.h"
#include "tests/support/PdfText.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The golden renders are painted at 96 dpi.
constexpr double kMmPerGoldenPixel = 25.4 / 96;
// The PDF keeps its page size in whole points.
constexpr double kPdfToleranceMm = 0.5;

struct Variant
{
    ReceiptTemplate which;
    bool withCustomer;
};

void PrintTo(const Variant &v, std::ostream *out)
{
    *out << TemplateName(v.which) << (v.withCustomer ? " with customer" : "");
}

QString ReadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return QString::fromUtf8(file.readAll());
}

// How far down the page the first item showing `text` lies.
double TopOf(const PrintedReport &printed, const QString &text)
{
    const auto item = std::find_if(printed.items.begin(), printed.items.end(),
                                   [&](const PlacedItem &placed) { return placed.text == text; });
    if (item == printed.items.end())
        throw std::runtime_error("nothing shows " + text.toStdString());
    return item->topMm;
}

} // namespace

class ReceiptPdf : public ::testing::TestWithParam<Variant>
{
protected:
    QTemporaryDir dir;
};

// The PDF of each receipt, read back: the sample ticket shows the golden text,
// in reading order; whatever its number of lines the receipt is one page as
// wide as the golden render, as long as it for three lines and one rendered
// row shorter or longer for each line fewer or more.
// A deliberate change of the receipts is accepted by regenerating the texts
// with SC_UPDATE_GOLDEN=1 (see ReceiptLayoutTest.cpp) and reading them over.
TEST_P(ReceiptPdf, ShowsTheTicketOnOnePageAsLongAsItsLines)
{
    const Variant v = GetParam();
    const QImage golden(GoldenPath(v.which, v.withCustomer, "png"));
    ASSERT_FALSE(golden.isNull());
    const PrintedReport sample = BuildReceipt(SampleOrder(v.which, v.withCustomer))->run();
    const double rowMm = TopOf(sample, QStringLiteral("香蕉")) - TopOf(sample, QStringLiteral("苹果"));
    ASSERT_GT(rowMm, 1);
    for (const int lines : {1, 3, 40}) {
        SCOPED_TRACE(lines);
        const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
        RenderReportToPdf(*BuildReceipt(SampleOrder(v.which, v.withCustomer, lines)), path);
        EXPECT_EQ(PdfText::PageCount(path), 1);
        const QSizeF size = PdfText::PageSizeMm(path);
        EXPECT_NEAR(size.width(), golden.width() * kMmPerGoldenPixel, kPdfToleranceMm);
        EXPECT_NEAR(size.height(), golden.height() * kMmPerGoldenPixel + (lines - 3) * rowMm, kPdfToleranceMm);
        if (lines != 3)
            continue;
        const QString text = PdfText::Text(path);
        const QString expected = GoldenPath(v.which, v.withCustomer, "txt");
        if (qEnvironmentVariableIsSet("SC_UPDATE_GOLDEN")) {
            QFile file(expected);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
            continue;
        }
        EXPECT_EQ(PdfText::Comparable(text).toStdString(), PdfText::Comparable(ReadFile(expected)).toStdString())
            << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ReceiptPdf,
    ::testing::Values(Variant{ReceiptTemplate::OnePart58, false}, Variant{ReceiptTemplate::OnePart58, true},
                      Variant{ReceiptTemplate::OnePart76, false}, Variant{ReceiptTemplate::OnePart76, true},
                      Variant{ReceiptTemplate::TwoPart58, false}, Variant{ReceiptTemplate::TwoPart58, true},
                      Variant{ReceiptTemplate::TwoPart76, false}, Variant{ReceiptTemplate::TwoPart76, true}));

// A long-named six-line ticket, read back from the PDF: one page on every
// template, the whole name shown, no two words on top of each other, every
// word on the paper (a wrapped name pushes the lines below it down, and the
// paper grows by as much).
TEST(ReceiptWrapping, NoWordOverlapsAnotherOrLeavesThePaper)
{
    QTemporaryDir dir;
    const QString longName = QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g");
    for (ReceiptTemplate which : kAllTemplates) {
        for (bool withCustomer : {false, true}) {
            SCOPED_TRACE(std::string(TemplateName(which)) + (withCustomer ? " with customer" : ""));
            ReceiptOrder order = SampleOrder(which, withCustomer, 6);
            order.ticket.lines[2].name = longName;
            const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
            RenderReportToPdf(*BuildReceipt(order), path);
            ASSERT_EQ(PdfText::PageCount(path), 1);
            EXPECT_TRUE(PdfText::Comparable(PdfText::Text(path)).contains(PdfText::Comparable(longName)));
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
