#include "tests/checkout/SampleReceipt.h"

#include "checkout/ReceiptRenderer.h"
#include "tests/report/SampleOrder.h"

SampleReceipt::SampleReceipt(int lines, double paperWidthMm)
    : m_report(BuildReceipt(
        SampleOrder(paperWidthMm > 60 ? ReceiptTemplate::OnePart76 : ReceiptTemplate::OnePart58, false, lines)))
{ }
