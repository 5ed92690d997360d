#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportUnits.h"
#include "tests/receipts/Golden.h"
#include "tests/receipts/SampleOrder.h"
#include "tests/support/PdfText.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const QString kLongName = QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g");

// The paper left below the last band.
double SpareMm(const PrintedReport &printed)
{
    const PlacedBand &last = printed.bands.back();
    return printed.pageSizeMm.height() - last.topMm - last.heightMm;
}

} // namespace

// What a receipt may carry beyond its template: a reprint's mark, a return's
// mark and the parts of a split payment.
void Reprinted(ReceiptOrder &order)
{
    order.reprintMark = QStringLiteral("重打 2026-12-09 10:00:00");
}

void Returned(ReceiptOrder &order)
{
    order.sale.originalNumber = QStringLiteral("20240101000009");
}

void PaidInParts(ReceiptOrder &order)
{
    order.sale.payments = {{PaymentMethod::WeChat, 20}, {PaymentMethod::Cash, 30}};
}

// Whatever the ticket, its receipt is one page that ends as far below the last
// band as the sample's: the paper grows with every line, a wrapped name, a
// mark and the parts of a payment, so that nothing is cut off or runs onto a
// second page.
TEST(ReceiptLength, PaperGrowsWithWhatItCarries)
{
    const struct
    {
        const char *what;
        int lines;
        bool wrappedName;
        void (*added)(ReceiptOrder &);
    } cases[] = {{"one line", 1, false, nullptr},
                 {"forty lines", 40, false, nullptr},
                 {"a wrapped name", 6, true, nullptr},
                 {"a reprint", 3, false, Reprinted},
                 {"a reprinted return", 3, false, [](ReceiptOrder &order) { Reprinted(order), Returned(order); }},
                 {"a split payment", 3, false, PaidInParts}};
    ForEachVariant([&](ReceiptTemplate which, bool withCustomer) {
        const double spare = SpareMm(BuildReceipt(SampleOrder(which, withCustomer))->run());
        for (const auto &c : cases) {
            SCOPED_TRACE(c.what);
            ReceiptOrder order = SampleOrder(which, withCustomer, c.lines);
            if (c.wrappedName)
                order.sale.lines[2].name = kLongName;
            if (c.added)
                c.added(order);
            const PrintedReport printed = BuildReceipt(order)->run();
            EXPECT_EQ(printed.pageCount, 1);
            EXPECT_NEAR(SpareMm(printed), spare, ReportUnits::kMmPerUnit); // the paper is cut in whole units
        }
    });
}

// A long-named six-line ticket, read back from the PDF: the whole name shown,
// no two words on top of each other, every word on the paper.
TEST(ReceiptWrapping, NoWordOverlapsAnotherOrLeavesThePaper)
{
    QTemporaryDir dir;
    ForEachVariant([&](ReceiptTemplate which, bool withCustomer) {
        ReceiptOrder order = SampleOrder(which, withCustomer, 6);
        order.sale.lines[2].name = kLongName;
        const QString path = dir.filePath(QStringLiteral("receipt.pdf"));
        RenderReportToPdf(*BuildReceipt(order), path);
        EXPECT_TRUE(PdfText::Shows(PdfText::Text(path), kLongName));
        ASSERT_GT(PdfText::Words(path).size(), 20u);
        EXPECT_EQ(PdfText::CrowdedWords(path), QStringList());
    });
}

// Added lines go right under what they belong to (a mark under the shop
// name, the parts under the paid amount): everything else stays where it was
// or, below them, moves down by them, and nothing moves sideways.
TEST(AddedLines, GoUnderWhatTheyBelongToAndMoveNothingElseSideways)
{
    const struct
    {
        void (*added)(ReceiptOrder &);
        const char *item;
        QStringList texts;
        QString under; // the text of the item right above them
    } cases[] = {
        {Reprinted, "ReprintMark", {"重打 2026-12-09 10:00:00"}, "好运小店"},
        {Returned, "ReturnMark", {"退货单 原单号 20240101000009"}, "好运小店"},
        {PaidInParts, "PaymentLine", {"微信 20.00", "现金 30.00"}, "支付金额："},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.item);
        ForEachVariant([&c](ReceiptTemplate which, bool withCustomer) {
            ReceiptOrder order = SampleOrder(which, withCustomer);
            const PrintedReport plain = BuildReceipt(order)->run();
            c.added(order);
            std::vector<PlacedItem> added = BuildReceipt(order)->run().items;
            const auto isAdded = [&c](const PlacedItem &item) { return item.name == QString::fromUtf8(c.item); };
            QStringList texts;
            double firstTop = 1e9;
            for (const PlacedItem &item : added)
                if (isAdded(item)) {
                    texts << item.text;
                    firstTop = std::min(firstTop, item.topMm);
                }
            EXPECT_EQ(texts, c.texts);
            std::erase_if(added, isAdded);
            ASSERT_EQ(added.size(), plain.items.size());

            double shift = 0;
            const PlacedItem *above = nullptr;
            for (size_t i = 0; i < added.size(); ++i) {
                const PlacedItem &before = plain.items[i];
                const double moved = added[i].topMm - before.topMm;
                EXPECT_EQ(added[i].text, before.text);
                EXPECT_DOUBLE_EQ(added[i].leftMm, before.leftMm) << before.name.toStdString();
                if (before.topMm < firstTop) {
                    EXPECT_NEAR(moved, 0, 0.01) << before.name.toStdString();
                    if (!above || before.topMm > above->topMm)
                        above = &before;
                } else {
                    shift = shift ? shift : moved;
                    EXPECT_NEAR(moved, shift, 0.01) << before.name.toStdString();
                }
            }
            EXPECT_GT(shift, 1);
            ASSERT_NE(above, nullptr);
            EXPECT_EQ(above->text, c.under);
        });
    }
}
