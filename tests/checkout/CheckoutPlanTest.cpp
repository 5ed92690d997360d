#include "checkout/CheckoutPlan.h"

#include <QSet>

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
        EXPECT_EQ(choice->window, *c.window);
        EXPECT_EQ(choice->baseLengthUnits, c.base);
        EXPECT_EQ(choice->twoPart, c.base == 500);
    }
}

TEST(CheckoutPlanTest, PaperGrowsWithRemarkAndTicketLines)
{
    EXPECT_EQ(PaperLengthUnits(0, 1, 350), 375);
    EXPECT_EQ(PaperLengthUnits(3, 2, 350), 451); // 51 units of remark
    EXPECT_EQ(PaperLengthUnits(0, 0, 500), 500);
    EXPECT_EQ(RemarkBoxHeightUnits(0), 0);
    EXPECT_EQ(RemarkBoxHeightUnits(3), 51);
    // Two-part paper is 150 units longer for the same ticket.
    EXPECT_EQ(PaperLengthUnits(2, 4, 500) - PaperLengthUnits(2, 4, 350), 150);
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
        {false, "1", ReceiptReport::Plain, 1},    {true, "1", ReceiptReport::Customer, 1},
        {false, "2", ReceiptReport::Plain, 2},    {true, "2", ReceiptReport::Customer, 2},
        {true, "3", ReceiptReport::Customer, 0},  {false, "", ReceiptReport::Plain, 0},
        {false, "01", ReceiptReport::Plain, 0},   {false, "2 ", ReceiptReport::Plain, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.copies) + (c.customer ? " with customer" : ""));
        const PrintRun run = ChoosePrintRun(c.customer, QString::fromUtf8(c.copies));
        EXPECT_EQ(run.report, c.report);
        EXPECT_EQ(run.copies, c.printed);
    }
}

ReceiptTexts distinctTexts()
{
    return {QStringLiteral("shop"),  QStringLiteral("cashier"), QStringLiteral("number"), QStringLiteral("time"),
            QStringLiteral("name"),  QStringLiteral("phone"),   QStringLiteral("address"),
            QStringLiteral("qty"),   QStringLiteral("total"),   QStringLiteral("paid"),   QStringLiteral("change")};
}

QString captionOf(const std::vector<Caption> &captions, ReceiptReport report, const char *label)
{
    for (const Caption &c : captions)
        if (c.report == report && c.label == QString::fromUtf8(label))
            return c.text;
    return QStringLiteral("<unset>");
}

TEST(CheckoutPlanTest, EveryLabelGetsOneTextAndTheLayoutsDiffer)
{
    for (bool twoPart : {false, true}) {
        SCOPED_TRACE(twoPart ? "two-part" : "one-part");
        const std::vector<Caption> captions = ReceiptCaptions(distinctTexts(), twoPart);
        QSet<QString> seen;
        for (const Caption &c : captions) {
            const QString key = QString::number(int(c.report)) + c.label;
            EXPECT_FALSE(seen.contains(key)) << c.label.toStdString() << " is set twice";
            seen.insert(key);
        }
        // The customer block only exists in the customer report.
        for (const char *label : {"QRLabel31", "QRLabel33", "QRLabel35"})
            EXPECT_EQ(captionOf(captions, ReceiptReport::Plain, label), QStringLiteral("<unset>"));
        EXPECT_EQ(captionOf(captions, ReceiptReport::Customer, "QRLabel31"), QStringLiteral("name"));
        // Paid and change print as typed; the payable line shows the total after discount.
        EXPECT_EQ(captionOf(captions, ReceiptReport::Plain, "QRLabel17"), QStringLiteral("total"));
        EXPECT_EQ(captionOf(captions, ReceiptReport::Customer, "QRLabel48"), QStringLiteral("change"));
    }

    const std::vector<Caption> onePart = ReceiptCaptions(distinctTexts(), false);
    const std::vector<Caption> twoPart = ReceiptCaptions(distinctTexts(), true);
    // One name, two roles: the cashier of a one-part receipt, the voucher's shop name of a two-part one.
    EXPECT_EQ(captionOf(onePart, ReceiptReport::Customer, "QRLabel25"), QStringLiteral("cashier"));
    EXPECT_EQ(captionOf(twoPart, ReceiptReport::Customer, "QRLabel25"), QStringLiteral("shop"));
    // A two-part receipt has no cashier line; its voucher repeats number, time and total.
    for (const Caption &c : twoPart)
        EXPECT_NE(c.text, QStringLiteral("cashier")) << c.label.toStdString();
    EXPECT_EQ(captionOf(twoPart, ReceiptReport::Plain, "QRLabel53"), QStringLiteral("number"));
    EXPECT_EQ(captionOf(twoPart, ReceiptReport::Customer, "QRLabel60"), QStringLiteral("time"));
    EXPECT_EQ(captionOf(twoPart, ReceiptReport::Plain, "QRLabel59"), QStringLiteral("total"));
    EXPECT_EQ(captionOf(onePart, ReceiptReport::Plain, "QRLabel59"), QStringLiteral("<unset>"));
}

} // namespace
