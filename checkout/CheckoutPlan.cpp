#include "checkout/CheckoutPlan.h"

namespace {

constexpr int kRemarkLineUnits = 17;
constexpr int kTicketLineUnits = 25;
constexpr int kOnePartBaseUnits = 350;
constexpr int kTwoPartBaseUnits = 500;

enum class Layouts { OnePart, TwoPart, Both };

struct CaptionRule
{
    QString ReceiptTexts::*value;
    ReceiptReport report;
    const char *label;
    Layouts layouts;
};

// Which label of which report shows which text. The two layouts reuse some
// label names for different texts (QRLabel25 is the cashier of a one-part
// receipt and the voucher's shop name of a two-part one).
const std::vector<CaptionRule> &CaptionRules()
{
    using R = ReceiptReport;
    using L = Layouts;
    static const std::vector<CaptionRule> rules = {
        // The voucher block's shop name; a one-part receipt prints it from the settings.
        {&ReceiptTexts::shopName, R::Plain, "QRLabel20", L::TwoPart},
        {&ReceiptTexts::shopName, R::Customer, "QRLabel25", L::TwoPart},
        // A two-part receipt has no cashier line.
        {&ReceiptTexts::cashier, R::Plain, "QRLabel2", L::OnePart},
        {&ReceiptTexts::cashier, R::Customer, "QRLabel25", L::OnePart},
        {&ReceiptTexts::number, R::Plain, "QRLabel4", L::Both},
        {&ReceiptTexts::number, R::Customer, "QRLabel27", L::Both},
        {&ReceiptTexts::number, R::Plain, "QRLabel53", L::TwoPart},
        {&ReceiptTexts::number, R::Customer, "QRLabel50", L::TwoPart},
        {&ReceiptTexts::time, R::Plain, "QRLabel6", L::Both},
        {&ReceiptTexts::time, R::Customer, "QRLabel29", L::Both},
        {&ReceiptTexts::time, R::Plain, "QRLabel55", L::TwoPart},
        {&ReceiptTexts::time, R::Customer, "QRLabel60", L::TwoPart},
        {&ReceiptTexts::customer, R::Customer, "QRLabel31", L::Both},
        {&ReceiptTexts::phone, R::Customer, "QRLabel33", L::Both},
        {&ReceiptTexts::address, R::Customer, "QRLabel35", L::Both},
        {&ReceiptTexts::totalQuantity, R::Plain, "QRLabel12", L::Both},
        {&ReceiptTexts::totalQuantity, R::Customer, "QRLabel41", L::Both},
        // The total after discount shows on the 合计 line and as the payable amount.
        {&ReceiptTexts::totalDiscounted, R::Plain, "QRLabel13", L::Both},
        {&ReceiptTexts::totalDiscounted, R::Customer, "QRLabel42", L::Both},
        {&ReceiptTexts::totalDiscounted, R::Plain, "QRLabel17", L::Both},
        {&ReceiptTexts::totalDiscounted, R::Customer, "QRLabel46", L::Both},
        {&ReceiptTexts::totalDiscounted, R::Plain, "QRLabel59", L::TwoPart},
        {&ReceiptTexts::totalDiscounted, R::Customer, "QRLabel62", L::TwoPart},
        {&ReceiptTexts::paid, R::Plain, "QRLabel15", L::Both},
        {&ReceiptTexts::paid, R::Customer, "QRLabel44", L::Both},
        {&ReceiptTexts::change, R::Plain, "QRLabel19", L::Both},
        {&ReceiptTexts::change, R::Customer, "QRLabel48", L::Both},
    };
    return rules;
}

} // namespace

std::optional<ReceiptChoice> ChooseReceipt(const QString &paperWidth, const QString &parts)
{
    const bool onePart = parts == QStringLiteral("一联");
    const bool twoPart = parts == QStringLiteral("两联");
    if (!onePart && !twoPart)
        return std::nullopt;
    const int base = twoPart ? kTwoPartBaseUnits : kOnePartBaseUnits;
    if (paperWidth == QStringLiteral("58"))
        return ReceiptChoice{twoPart ? ReceiptTemplate::TwoPart58 : ReceiptTemplate::OnePart58, twoPart, base};
    if (paperWidth == QStringLiteral("76"))
        return ReceiptChoice{twoPart ? ReceiptTemplate::TwoPart76 : ReceiptTemplate::OnePart76, twoPart, base};
    return std::nullopt;
}

int RemarkBoxHeightUnits(int remarkLines)
{
    return kRemarkLineUnits * remarkLines;
}

int PaperLengthUnits(int remarkLines, int ticketLines, int baseLengthUnits)
{
    return RemarkBoxHeightUnits(remarkLines) + kTicketLineUnits * ticketLines + baseLengthUnits;
}

PrintRun ChoosePrintRun(bool withCustomer, const QString &copies)
{
    const ReceiptReport report = withCustomer ? ReceiptReport::Customer : ReceiptReport::Plain;
    if (copies == QStringLiteral("1"))
        return {report, 1};
    if (copies == QStringLiteral("2"))
        return {report, 2};
    return {report, 0};
}

std::vector<Caption> ReceiptCaptions(const ReceiptTexts &texts, bool twoPart)
{
    const Layouts layout = twoPart ? Layouts::TwoPart : Layouts::OnePart;
    std::vector<Caption> captions;
    for (const CaptionRule &rule : CaptionRules())
        if (rule.layouts == Layouts::Both || rule.layouts == layout)
            captions.push_back({rule.report, QString::fromUtf8(rule.label), texts.*rule.value});
    return captions;
}
