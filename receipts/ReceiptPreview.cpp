#include "receipts/ReceiptPreview.h"

#include "receipts/ReceiptWindow.h"

ReceiptWindow &ReceiptWindows::of(ReceiptTemplate which) const
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return onePart58;
    case ReceiptTemplate::OnePart76:
        return onePart76;
    case ReceiptTemplate::TwoPart58:
        return twoPart58;
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return twoPart76;
}

void PreviewReceipt(const ReceiptWindows &windows, const QString &paperWidth, const QString &parts, bool withCustomer)
{
    const ReceiptReport page = ReportFor(withCustomer);
    for (const QString &width : {QStringLiteral("58"), QStringLiteral("76")}) {
        if (const auto which = ChooseReceipt(width, parts))
            windows.of(*which).showPage(page);
    }
    if (const auto which = ChooseReceipt(paperWidth, parts))
        windows.of(*which).exec();
}

void PreviewTicket(const ReceiptWindows &windows, const ReceiptOrder &order)
{
    const QString &paperWidth = order.settings.pos, &parts = order.settings.modle;
    if (!order.sale.lines.empty()) {
        if (const auto which = ChooseReceipt(paperWidth, parts))
            windows.of(*which).showReceipt(order);
    }
    PreviewReceipt(windows, paperWidth, parts, order.withCustomer);
}
