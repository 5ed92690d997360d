#include "receipts/CheckoutPlan.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckoutPlanTest, CustomerFlagAndCopiesChooseWhatPrints)
{
    // The customer flag, the copies as typed, the report and the number of copies printed.
    const std::tuple<bool, const char *, ReceiptReport, int> cases[] = {
        {false, "1", ReceiptReport::Plain, 1},   {true, "1", ReceiptReport::Customer, 1},
        {false, "2", ReceiptReport::Plain, 2},   {true, "2", ReceiptReport::Customer, 2},
        {true, "3", ReceiptReport::Customer, 0}, {false, "", ReceiptReport::Plain, 0},
        {false, "01", ReceiptReport::Plain, 0},  {false, "2 ", ReceiptReport::Plain, 0},
    };
    for (const auto &[customer, copies, report, printed] : cases) {
        SCOPED_TRACE(std::string(copies) + (customer ? " with customer" : ""));
        const PrintRun run = ChoosePrintRun(customer, QString::fromUtf8(copies));
        EXPECT_EQ(run.report, report);
        EXPECT_EQ(run.copies, printed);
    }
}

} // namespace
