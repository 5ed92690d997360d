#pragma once

#include "receipts/ReceiptLayout.h"

// The line a reprinted receipt carries under its title, in 1/96 inch.
inline constexpr int kReprintMarkUnits = 18;

// A report of a template with a line for the reprint mark under the receipt's
// title (the shop name of the receipt proper): the title band grows by that
// line, and everything below the shop name moves down by it.
ReceiptLayout::Report WithReprintMark(const ReceiptLayout::Report &report);
