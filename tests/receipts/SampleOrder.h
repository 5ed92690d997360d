#pragma once

#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptOrder.h"

// A ticket of three lines with a two-line remark, as a checkout hands it to
// the renderer, on the template and variant asked for.
ReceiptOrder SampleOrder(ReceiptTemplate which, bool withCustomer, int lines = 3);

const char *TemplateName(ReceiptTemplate which);

inline constexpr ReceiptTemplate kAllTemplates[] = {ReceiptTemplate::OnePart58, ReceiptTemplate::OnePart76,
                                                    ReceiptTemplate::TwoPart58, ReceiptTemplate::TwoPart76};
