#include "receipts/ReceiptFigures.h"
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

namespace {

// Golden renders: each receipt of the sample ticket painted at 96 dpi. They
// catch what a list of coordinates cannot: a face, size, weight or position
// that changed, text that wraps or clips, an item that went missing. The text
// read back from its PDF catches a changed figure the render's tolerance lets by.
// To accept a deliberate change of the receipts, regenerate them with
//   SC_UPDATE_GOLDEN=1 ctest -R receipts_tests
// and commit tests/receipts/golden/* after looking at them.
constexpr double kDotsPerInch = 96;
// A pixel differs when its grey level moves by more than this (anti-aliasing
// and hinting vary a little between font builds) ...
constexpr int kGreyTolerance = 96;
// ... and a render matches when at most this share of its pixels differ.
constexpr double kDifferingShare = 0.002;

int DifferingPixels(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > kGreyTolerance)
                ++differing;
        }
    }
    return differing;
}

} // namespace

TEST(ReceiptRender, MatchesTheGoldenImageAndTextOfEachReceipt)
{
    const bool update = qEnvironmentVariableIsSet("SC_UPDATE_GOLDEN");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("receipt.pdf"));
    ForEachVariant([&](ReceiptTemplate which, bool withCustomer) {
        const auto receipt = BuildReceipt(SampleOrder(which, withCustomer));
        const QImage rendered
            = RenderReportPage(receipt->run(), 0, kDotsPerInch).convertToFormat(QImage::Format_Grayscale8);
        RenderReportToPdf(*receipt, pdf);
        const QString text = PdfText::Text(pdf);
        const QString png = GoldenPath(which, withCustomer, "png");
        const QString txt = GoldenPath(which, withCustomer, "txt");
        if (update) {
            QFile file(txt);
            ASSERT_TRUE(rendered.save(png) && file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
            return;
        }
        const QImage golden = QImage(png).convertToFormat(QImage::Format_Grayscale8);
        ASSERT_EQ(rendered.size(), golden.size()) << png.toStdString();
        const int differing = DifferingPixels(rendered, golden);
        EXPECT_LE(differing, kDifferingShare * rendered.width() * rendered.height())
            << png.toStdString() << ": " << differing << " pixels differ";
        QFile expected(txt);
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << txt.toStdString();
        EXPECT_EQ(PdfText::Comparable(text).toStdString(),
                  PdfText::Comparable(QString::fromUtf8(expected.readAll())).toStdString())
            << text.toStdString();
    });
}

TEST(ReceiptFigures, PrintWithTwoDecimalsRoundingHalvesAwayFromZero)
{
    const struct
    {
        const char *text;
        const char *printed;
    } cases[] = {
        {"12.5", "12.50"},   {"3", "3.00"},      {"", "0.00"},
        {"abc", "0.00"},     {"2.675", "2.68"},  {"1.005", "1.01"},
        {"-2.675", "-2.68"}, {"0.004", "0.00"},  {"-0.004", "0.00"},
        {"9.405", "9.41"},   {"1E3", "1000.00"}, {"17.5912", "17.59"},
        {".", "0.00"},       {"12,5", "0.00"},   {"123456789.995", "123456790.00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatFigure(QString::fromUtf8(c.text)), QString::fromUtf8(c.printed)) << c.text;
}

TEST(ReceiptFigures, RemarkLinesAreTheMemosLines)
{
    EXPECT_EQ(MemoLines(QString()), QStringList());
    EXPECT_EQ(MemoLines(QStringLiteral("a\nb")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(MemoLines(QStringLiteral("a\r\nb\r\n")), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(MemoLines(QStringLiteral("a\n\nb")), (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
}
