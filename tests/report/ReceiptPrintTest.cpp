#include "checkout/CheckoutPlan.h"
#include "report/ReportUnits.h"
#include "tests/report/PdfText.h"
#include "tests/report/ReceiptWindows.h"
#include "tests/support/TempData.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const double kUnit = ReportUnits::kMmPerUnit;

// A ticket of three lines with a two-line remark, as the checkout leaves it.
void StoreTicket(const TempData &data, int lines = 3, const QString &remark = QStringLiteral("欢迎再次光临\n谢谢惠顾"))
{
    const char *const rows[] = {
        "('苹果', 12.5, 2, 25, 25)",
        "('香蕉', 3, 3, 9, 8.1)",
        "('西瓜', 2.675, 1, 2.675, NULL)",
    };
    for (int i = 0; i < lines; ++i)
        data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values ")
                  + QString::fromUtf8(rows[i % 3]));
    QString sqlRemark = remark;
    sqlRemark.replace(QLatin1Char('\n'), QStringLiteral("' || char(10) || '"));
    data.exec(QStringLiteral("update dynr set 店名 = '好运小店', 备注 = '%1'").arg(sqlRemark));
}

ReceiptTexts Counter()
{
    ReceiptTexts texts;
    texts.shopName = QStringLiteral("好运小店");
    texts.cashier = QStringLiteral("张三");
    texts.number = QStringLiteral("20240102030405");
    texts.time = QStringLiteral("2024-01-02 03:04:05");
    texts.customer = QStringLiteral("李四");
    texts.phone = QStringLiteral("13800138000");
    texts.address = QStringLiteral("北京路1号");
    texts.totalQuantity = QStringLiteral("6");
    texts.totalDiscounted = QStringLiteral("35.775");
    texts.paid = QStringLiteral("50");
    texts.change = QStringLiteral("14.225");
    return texts;
}

bool IsTwoPart(Template which)
{
    return which == Template::Edy58 || which == Template::Edy76;
}

// Fills and sizes a window the way the checkout does.
void Fill(TReceiptForm &window, Template which, int remarkLines, int ticketLines)
{
    window.FormCreate();
    const int length = 17 * remarkLines + 25 * ticketLines + BaseLengthUnits(which);
    window.QRRichText1->setHeightUnits(17 * remarkLines);
    window.QuickRep1->setHeightUnits(length);
    window.QRRichText2->setHeightUnits(17 * remarkLines);
    window.QuickRep2->setHeightUnits(length);
    for (const Caption &caption : ReceiptCaptions(Counter(), IsTwoPart(which))) {
        Report *report = caption.report == ReceiptReport::Plain ? window.QuickRep1 : window.QuickRep2;
        report->label(caption.label)->setCaption(caption.text);
    }
}

Report *ReportOf(TReceiptForm &window, bool withCustomer)
{
    return withCustomer ? window.QuickRep2 : window.QuickRep1;
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

struct PdfCase
{
    Template window;
    bool withCustomer;
};

void PrintTo(const PdfCase &c, std::ostream *out)
{
    *out << TemplateName(c.window) << (c.withCustomer ? ".QuickRep2" : ".QuickRep1");
}

class FilledReceipt : public ::testing::TestWithParam<PdfCase>
{
protected:
    TempData data;
    QTemporaryDir dir;
};

TEST_P(FilledReceipt, PdfShowsTheTicketOnPaperOfTheCheckoutsLength)
{
    const PdfCase c = GetParam();
    StoreTicket(data);
    const auto window = MakeWindow(c.window);
    Fill(*window, c.window, 2, 3);
    const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
    window->renderToPdf(ReportOf(*window, c.withCustomer), path);

    const QSizeF size = PdfText::PageSizeMm(path);
    const bool wide = c.window == Template::Dy76 || c.window == Template::Edy76;
    EXPECT_NEAR(size.width(), wide ? 75.94 : 57.94, 0.1);
    EXPECT_NEAR(size.height(), (17 * 2 + 25 * 3 + BaseLengthUnits(c.window)) * kUnit, 0.1);
    EXPECT_EQ(PdfText::PageCount(path), 1);

    const QString text = PdfText::Text(path);
    // Lines with their figures in "0.00"; an empty amount prints 0.00.
    for (const char *expected : {"苹果", "12.50", "2.00", "25.00", "香蕉", "3.00", "8.10", "西瓜", "2.68",
                                 "0.00", "好运小店", "20240102030405", "合计：", "35.775", "支付金额：", "50",
                                 "找零金额：", "14.225", "欢迎再次光临", "谢谢惠顾", "品名单价数量金额"})
        EXPECT_TRUE(PdfText::Shows(text, QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_EQ(PdfText::Shows(text, QStringLiteral("张三")), !IsTwoPart(c.window)) << "cashier line";
    EXPECT_EQ(PdfText::Shows(text, QStringLiteral("支付凭证")), IsTwoPart(c.window));
    for (const char *customer : {"李四", "13800138000", "北京路1号"})
        EXPECT_EQ(PdfText::Shows(text, QString::fromUtf8(customer)), c.withCustomer) << customer;
    // The full dash line is one word: it overhangs the band rather than wrap.
    EXPECT_TRUE(text.contains(QString(wide ? 59 : 42, QLatin1Char('-'))));
}

INSTANTIATE_TEST_SUITE_P(All, FilledReceipt,
                         ::testing::Values(PdfCase{Template::Dy58, false}, PdfCase{Template::Dy58, true},
                                           PdfCase{Template::Dy76, false}, PdfCase{Template::Dy76, true},
                                           PdfCase{Template::Edy58, false}, PdfCase{Template::Edy58, true},
                                           PdfCase{Template::Edy76, false}, PdfCase{Template::Edy76, true}));

TEST(ReceiptLength, FollowsTheHeightTheCheckoutSets)
{
    TempData data;
    StoreTicket(data, 5);
    for (const auto &[narrow, wide] : {std::pair{Template::Dy58, Template::Edy58}, {Template::Dy76, Template::Edy76}}) {
        const auto onePart = MakeWindow(narrow);
        const auto twoPart = MakeWindow(wide);
        for (const auto &[remarkLines, ticketLines] : {std::pair{0, 1}, {2, 5}, {3, 40}}) {
            Fill(*onePart, narrow, remarkLines, ticketLines);
            Fill(*twoPart, wide, remarkLines, ticketLines);
            const double one = onePart->QuickRep1->run().pageSizeMm.height();
            const double two = twoPart->QuickRep1->run().pageSizeMm.height();
            EXPECT_NEAR(one, (17 * remarkLines + 25 * ticketLines + 350) * kUnit, 0.005);
            EXPECT_NEAR(two - one, 39.69, 0.005) << "a voucher adds 150 units";
            EXPECT_NEAR(twoPart->QuickRep2->run().pageSizeMm.height(), two, 0.005);
        }
    }
}

TEST(ReceiptLength, PlainReceiptsOfFiveLinesFitOnePage)
{
    TempData data;
    StoreTicket(data, 5, QStringLiteral("一\n二\n三"));
    for (Template which : {Template::Dy58, Template::Dy76, Template::Edy58, Template::Edy76}) {
        const auto window = MakeWindow(which);
        Fill(*window, which, 3, 5);
        EXPECT_EQ(window->QuickRep1->run().pageCount, 1) << TemplateName(which);
    }
}

TEST(ReceiptLength, DetailBandsBeyondThePaperContinueOnANewPage)
{
    // At 76 mm a line takes 30 units of the 25 the paper grows by: six lines
    // of the customer receipt outgrow its paper.
    TempData data;
    StoreTicket(data, 6, QString());
    const auto window = MakeWindow(Template::Dy76);
    Fill(*window, Template::Dy76, 0, 6);
    const PrintedReport printed = window->QuickRep2->run();
    EXPECT_EQ(printed.pageCount, 2);
    EXPECT_EQ(printed.placementsOf(QStringLiteral("QRDBText8")).front().page, 0);
    EXPECT_EQ(printed.placementsOf(QStringLiteral("QRLabel40")).front().page, 1);
}

TEST(ReceiptRemark, ThreeLinesFillABoxOf51UnitsBelowTheSummaryDashes)
{
    TempData data;
    StoreTicket(data, 1, QStringLiteral("第一行\n第二行\n第三行\n"));
    for (Template which : {Template::Dy58, Template::Edy76}) {
        const auto window = MakeWindow(which);
        Fill(*window, which, 3, 1);
        for (bool withCustomer : {false, true}) {
            const PrintedReport printed = ReportOf(*window, withCustomer)->run();
            const QString box = QString::fromUtf8(withCustomer ? "QRRichText2" : "QRRichText1");
            const PlacedItem remark = printed.placementsOf(box).front();
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

TEST(ReceiptRemark, FollowsTheSettingsRowAsLastRead)
{
    TempData data;
    StoreTicket(data, 1, QStringLiteral("旧备注"));
    const auto window = MakeWindow(Template::Dy58);
    data.exec(QStringLiteral("update dynr set 备注 = '新备注'"));
    EXPECT_EQ(window->QuickRep1->run().placementsOf(QStringLiteral("QRRichText1")).front().text,
              QStringLiteral("旧备注"));
    window->FormCreate();
    EXPECT_EQ(window->QuickRep1->run().placementsOf(QStringLiteral("QRRichText1")).front().text,
              QStringLiteral("新备注"));
    data.exec(QStringLiteral("update dynr set 备注 = ''"));
    window->FormCreate();
    EXPECT_EQ(window->QuickRep2->run().placementsOf(QStringLiteral("QRRichText2")).front().text, QString());
}
