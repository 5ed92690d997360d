#include "receipts/CheckoutPlan.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckoutPlanTest, CustomerFlagAndCopiesChooseWhatPrints)
{
    struct Case
    {
        bool customer;
        const char *copies;
        ReceiptReport report;
        int printed;
    };
    const Case cases[] = {
        {false, "1", ReceiptReport::Plain, 1},   {true, "1", ReceiptReport::Customer, 1},
        {false, "2", ReceiptReport::Plain, 2},   {true, "2", ReceiptReport::Customer, 2},
        {true, "3", ReceiptReport::Customer, 0}, {false, "", ReceiptReport::Plain, 0},
        {false, "01", ReceiptReport::Plain, 0},  {false, "2 ", ReceiptReport::Plain, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.copies) + (c.customer ? " with customer" : ""));
        const PrintRun run = ChoosePrintRun(c.customer, QString::fromUtf8(c.copies));
        EXPECT_EQ(run.report, c.report);
        EXPECT_EQ(run.copies, c.printed);
    }
}

} // namespace
