#include "receipts/CheckoutPlan.h"

namespace {

constexpr int kRemarkLineUnits = 17;
constexpr int kOnePartBaseUnits = 350;
constexpr int kTwoPartBaseUnits = 500;

} // namespace

std::optional<ReceiptTemplate> ChooseReceipt(const QString &paperWidth, const QString &parts)
{
    const bool onePart = parts == QStringLiteral("一联");
    const bool twoPart = parts == QStringLiteral("两联");
    if (!onePart && !twoPart)
        return std::nullopt;
    if (paperWidth == QStringLiteral("58"))
        return twoPart ? ReceiptTemplate::TwoPart58 : ReceiptTemplate::OnePart58;
    if (paperWidth == QStringLiteral("76"))
        return twoPart ? ReceiptTemplate::TwoPart76 : ReceiptTemplate::OnePart76;
    return std::nullopt;
}

int BaseLengthUnits(ReceiptTemplate which)
{
    const bool twoPart = which == ReceiptTemplate::TwoPart58 || which == ReceiptTemplate::TwoPart76;
    return twoPart ? kTwoPartBaseUnits : kOnePartBaseUnits;
}

int RemarkBoxHeightUnits(int remarkLines)
{
    return kRemarkLineUnits * remarkLines;
}

int PaperLengthUnits(int remarkLines, int ticketLines, int lineUnits, int baseLengthUnits)
{
    return RemarkBoxHeightUnits(remarkLines) + lineUnits * ticketLines + baseLengthUnits;
}

ReceiptReport ReportFor(bool withCustomer)
{
    return withCustomer ? ReceiptReport::Customer : ReceiptReport::Plain;
}

PrintRun ChoosePrintRun(bool withCustomer, const QString &copies)
{
    const ReceiptReport report = ReportFor(withCustomer);
    if (copies == QStringLiteral("1"))
        return {report, 1};
    if (copies == QStringLiteral("2"))
        return {report, 2};
    return {report, 0};
}
