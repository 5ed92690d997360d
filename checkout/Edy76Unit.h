#pragma once

#include "checkout/ReceiptForm.h"

// Template window of the two-part receipt (payment voucher above the receipt) on 76 mm paper.
class TEdy76Form : public TReceiptForm
{
    Q_OBJECT
public:
    explicit TEdy76Form(QWidget *parent = nullptr);
};
