#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"
#include "tests/receipts/SampleOrder.h"

#include <gtest/gtest.h>

namespace {

// Every template, with and without the customer block: the mark takes a line
// of its own under the receipt's shop name, everything else prints as before,
// lower by as much as the paper grows when it was below the shop name.
TEST(ReprintMark, TakesALineUnderTheShopNameAndMovesNothingElseSideways)
{
    for (const ReceiptTemplate which : kAllTemplates) {
        for (const bool withCustomer : {false, true}) {
            SCOPED_TRACE(std::string(TemplateName(which)) + (withCustomer ? " customer" : ""));
            const ReceiptOrder order = SampleOrder(which, withCustomer);
            ReceiptOrder reprint = order;
            reprint.reprintMark = QStringLiteral("重打 2026-12-09 10:00:00");
            const auto plainReport = BuildReceipt(order);
            const auto markedReport = BuildReceipt(reprint);
            ASSERT_TRUE(plainReport && markedReport);
            const PrintedReport plain = plainReport->run();
            const PrintedReport marked = markedReport->run();

            const double grown = marked.pageSizeMm.height() - plain.pageSizeMm.height();
            EXPECT_GT(grown, 1);
            const std::vector<PlacedItem> mark = marked.placementsOf(QStringLiteral("ReprintMark"));
            ASSERT_EQ(mark.size(), 1u);
            EXPECT_EQ(mark[0].text, reprint.reprintMark);
            ASSERT_EQ(marked.items.size(), plain.items.size() + 1);

            double shopNameBottom = 0;
            double nextTop = 1e9;
            for (size_t i = 0, j = 0; i < plain.items.size(); ++i, ++j) {
                if (marked.items[j].name == QStringLiteral("ReprintMark"))
                    ++j;
                const PlacedItem &before = plain.items[i];
                const PlacedItem &after = marked.items[j];
                EXPECT_EQ(after.name, before.name);
                EXPECT_EQ(after.text, before.text);
                EXPECT_DOUBLE_EQ(after.leftMm, before.leftMm);
                if (before.name.startsWith(QStringLiteral("QRDBText")) && before.text == order.settings.shopName) {
                    shopNameBottom = after.topMm;
                } else if (after.topMm > before.topMm) {
                    EXPECT_NEAR(after.topMm - before.topMm, grown, 0.01) << after.name.toStdString();
                    nextTop = std::min(nextTop, after.topMm);
                }
            }
            EXPECT_GT(mark[0].topMm, shopNameBottom);
            EXPECT_LT(mark[0].topMm, nextTop);
        }
    }
}

} // namespace
