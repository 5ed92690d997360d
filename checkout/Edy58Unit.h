#pragma once

#include "checkout/ReceiptForm.h"

// Template window of the two-part receipt (payment voucher above the receipt) on 58 mm paper.
class TEdy58Form : public TReceiptForm
{
    Q_OBJECT
public:
    explicit TEdy58Form(QWidget *parent = nullptr);
};
