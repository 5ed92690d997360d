#include "tests/printers/SampleReceipt.h"

#include "receipts/ReceiptRenderer.h"
#include "tests/receipts/SampleOrder.h"

SampleReceipt::SampleReceipt(int lines, double paperWidthMm)
    : m_report(BuildReceipt(
        SampleOrder(paperWidthMm > 60 ? ReceiptTemplate::OnePart76 : ReceiptTemplate::OnePart58, false, lines)))
{ }
