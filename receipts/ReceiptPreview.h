#pragma once

#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptOrder.h"

#include <QString>

class ReceiptWindow;

// The four template preview windows of the program.
struct ReceiptWindows
{
    ReceiptWindow &onePart58;
    ReceiptWindow &onePart76;
    ReceiptWindow &twoPart76;
    ReceiptWindow &twoPart58;

    ReceiptWindow &of(ReceiptTemplate which) const;
};

// The counter's preview: both widths of the chosen part count ("一联", "两联")
// turn to the page the customer flag selects, then the template of the paper
// width ("58", "76") and part count shows modally until the user closes it.
// Texts that choose no template show nothing.
void PreviewReceipt(const ReceiptWindows &windows, const QString &paperWidth, const QString &parts, bool withCustomer);

// The same for the ticket on the counter: when it has lines, the chosen
// template first takes its receipt, exactly as Print would print it.
void PreviewTicket(const ReceiptWindows &windows, const ReceiptOrder &order);
