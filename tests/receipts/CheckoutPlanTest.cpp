#include "receipts/CheckoutPlan.h"
#include "base/AppError.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"

#include <gtest/gtest.h>

namespace {

TEST(CheckoutPlanTest, WidthAndPartsChooseTheTemplateExactly)
{
    struct Case
    {
        const char *width;
        const char *parts;
        std::optional<ReceiptTemplate> window;
        int base;
    };
    const Case cases[] = {
        {"58", "一联", ReceiptTemplate::OnePart58, 350},
        {"58", "两联", ReceiptTemplate::TwoPart58, 500},
        {"76", "一联", ReceiptTemplate::OnePart76, 350},
        {"76", "两联", ReceiptTemplate::TwoPart76, 500},
        {"80", "一联", std::nullopt, 0},
        {"58 ", "一联", std::nullopt, 0},
        {"58", "一联 ", std::nullopt, 0},
        {"", "", std::nullopt, 0},
        {"76", "三联", std::nullopt, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.width) + "/" + c.parts);
        const auto choice = ChooseReceipt(QString::fromUtf8(c.width), QString::fromUtf8(c.parts));
        ASSERT_EQ(choice.has_value(), c.window.has_value());
        if (!choice)
            continue;
        EXPECT_EQ(*choice, *c.window);
        EXPECT_EQ(BaseLengthUnits(*choice), c.base);
    }
}

TEST(CheckoutPlanTest, PaperGrowsWithRemarkAndTicketLines)
{
    EXPECT_EQ(PaperLengthUnits(0, 1, 25, 350), 375);
    EXPECT_EQ(PaperLengthUnits(3, 2, 25, 350), 451); // 51 units of remark
    EXPECT_EQ(PaperLengthUnits(3, 2, 30, 350), 461); // 76 mm rows are 30 units tall
    EXPECT_EQ(PaperLengthUnits(0, 0, 30, 500), 500);
    EXPECT_EQ(RemarkBoxHeightUnits(0), 0);
    EXPECT_EQ(RemarkBoxHeightUnits(3), 51);
    // Two-part paper is 150 units longer for the same ticket.
    EXPECT_EQ(PaperLengthUnits(2, 4, 25, 500) - PaperLengthUnits(2, 4, 25, 350), 150);
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

ReceiptOrder DistinctTexts(bool twoPart)
{
    ReceiptOrder order;
    order.settings.shopName = QStringLiteral("shop");
    order.settings.pos = QStringLiteral("58");
    order.settings.modle = twoPart ? QStringLiteral("两联") : QStringLiteral("一联");
    Ticket &t = order.ticket;
    t.cashier = QStringLiteral("cashier");
    t.number = QStringLiteral("number");
    t.time = QStringLiteral("time");
    t.customer = QStringLiteral("name");
    t.phone = QStringLiteral("phone");
    t.address = QStringLiteral("address");
    t.totalQuantity = QStringLiteral("qty");
    t.totalDiscounted = QStringLiteral("total");
    t.paid = QStringLiteral("paid");
    t.change = QStringLiteral("change");
    return order;
}

// The caption a label holds on a receipt of the sample texts; "<none>" when the report has no such label.
QString CaptionOf(bool twoPart, ReceiptReport report, const char *label)
{
    const ReceiptTemplate which = twoPart ? ReceiptTemplate::TwoPart58 : ReceiptTemplate::OnePart58;
    const auto receipt = BuildReceipt(which, report, DistinctTexts(twoPart));
    try {
        return receipt->label(QString::fromUtf8(label))->caption();
    } catch (const AppError &) {
        return QStringLiteral("<none>");
    }
}

TEST(CheckoutPlanTest, EachLabelShowsItsValueAndTheLayoutsDiffer)
{
    using R = ReceiptReport;
    // The customer block only exists in the customer report.
    EXPECT_EQ(CaptionOf(false, R::Plain, "QRLabel31"), QStringLiteral("<none>"));
    EXPECT_EQ(CaptionOf(false, R::Customer, "QRLabel31"), QStringLiteral("name"));
    // Paid and change print as typed; the payable line shows the total after discount.
    EXPECT_EQ(CaptionOf(false, R::Plain, "QRLabel17"), QStringLiteral("total"));
    EXPECT_EQ(CaptionOf(true, R::Customer, "QRLabel48"), QStringLiteral("change"));
    // One name, two roles: the cashier of a one-part receipt, the voucher's shop name of a two-part one.
    EXPECT_EQ(CaptionOf(false, R::Customer, "QRLabel25"), QStringLiteral("cashier"));
    EXPECT_EQ(CaptionOf(true, R::Customer, "QRLabel25"), QStringLiteral("shop"));
    // The voucher repeats number, time and total.
    EXPECT_EQ(CaptionOf(true, R::Plain, "QRLabel53"), QStringLiteral("number"));
    EXPECT_EQ(CaptionOf(true, R::Customer, "QRLabel60"), QStringLiteral("time"));
    EXPECT_EQ(CaptionOf(true, R::Plain, "QRLabel59"), QStringLiteral("total"));
    // A two-part receipt has no cashier line.
    const PrintedReport twoPart = BuildReceipt(ReceiptTemplate::TwoPart58, R::Customer, DistinctTexts(true))->run();
    for (const PlacedItem &item : twoPart.items)
        EXPECT_NE(item.text, QStringLiteral("cashier")) << item.name.toStdString();
}

} // namespace
