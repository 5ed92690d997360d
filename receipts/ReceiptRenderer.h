#pragma once

#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptOrder.h"

#include <memory>

class Report;

// Builds receipts from the layout tables and a ticket value: the one place
// that knows which label of which template shows what. Printing, the preview
// and PDF output all paint what it builds.

// The receipt of an order on the template its settings choose, in the variant
// its customer flag chooses; null when the paper width and part count choose
// no template.
std::unique_ptr<Report> BuildReceipt(const ReceiptOrder &order);
// The receipt of an order on a given template and variant.
std::unique_ptr<Report> BuildReceipt(ReceiptTemplate which, ReceiptReport report, const ReceiptOrder &order);
// The layout of a template as the preview shows it without a ticket: the
// placeholders, at the design length.
std::unique_ptr<Report> BuildReceiptLayout(ReceiptTemplate which, ReceiptReport report);
