#pragma once

#include "receipts/ReceiptLayout.h"

// A line a receipt may carry beyond its template, in 1/96 inch.
inline constexpr int kAddedLineUnits = 18;

namespace ReceiptLayout {

// A report of a template with a line for a mark under the receipt's title
// (the shop name of the receipt proper): the reprint mark, or a return's
// "退货单" and original number. The title band grows by that line, and
// everything below the shop name moves down by it.
Report WithTitleMark(const Report &report, Value mark, const char *name, const char *placeholder);

// A report with `count` lines under the paid amount, one per part of a
// payment, aligned with the paid amount: the summary band grows by them, and
// everything below the paid amount moves down by them.
Report WithPaymentLines(const Report &report, int count);

} // namespace ReceiptLayout
