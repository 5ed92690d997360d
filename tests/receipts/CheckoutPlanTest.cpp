#include "receipts/CheckoutPlan.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckoutPlanTest, WidthAndPartsChooseTheTemplateExactly)
{
    struct Case
    {
        const char *width;
        const char *parts;
        std::optional<ReceiptTemplate> window;
    };
    const Case cases[] = {
        {"58", "一联", ReceiptTemplate::OnePart58},
        {"58", "两联", ReceiptTemplate::TwoPart58},
        {"76", "一联", ReceiptTemplate::OnePart76},
        {"76", "两联", ReceiptTemplate::TwoPart76},
        {"80", "一联", std::nullopt},
        {"58 ", "一联", std::nullopt},
        {"58", "一联 ", std::nullopt},
        {"", "", std::nullopt},
        {"76", "三联", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ChooseReceipt(QString::fromUtf8(c.width), QString::fromUtf8(c.parts)), c.window)
            << c.width << "/" << c.parts;
}

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
