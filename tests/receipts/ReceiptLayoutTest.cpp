#include "receipts/ReceiptFigures.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "tests/receipts/Golden.h"
#include "tests/receipts/SampleOrder.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Golden renders: each receipt of the sample ticket painted at 96 dpi. They
// catch what a list of coordinates cannot: a face, size, weight or position
// that changed, text that wraps or clips, an item that went missing.
// To accept a deliberate change of the receipts, regenerate them with
//   SC_UPDATE_GOLDEN=1 ctest -R receipts_tests
// and commit tests/receipts/golden/*.png after looking at them.
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

TEST(ReceiptRender, MatchesTheGoldenImageOfEachReceipt)
{
    const bool update = qEnvironmentVariableIsSet("SC_UPDATE_GOLDEN");
    for (ReceiptTemplate which : kAllTemplates) {
        for (bool withCustomer : {false, true}) {
            const auto receipt = BuildReceipt(SampleOrder(which, withCustomer));
            const QImage rendered
                = RenderReportPage(receipt->run(), 0, kDotsPerInch).convertToFormat(QImage::Format_Grayscale8);
            const QString path = GoldenPath(which, withCustomer, "png");
            if (update) {
                ASSERT_TRUE(rendered.save(path)) << path.toStdString();
                continue;
            }
            const QImage golden = QImage(path).convertToFormat(QImage::Format_Grayscale8);
            ASSERT_FALSE(golden.isNull()) << "missing " << path.toStdString();
            ASSERT_EQ(rendered.size(), golden.size()) << path.toStdString();
            const int differing = DifferingPixels(rendered, golden);
            EXPECT_LE(differing, kDifferingShare * rendered.width() * rendered.height())
                << path.toStdString() << ": " << differing << " pixels differ";
        }
    }
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
