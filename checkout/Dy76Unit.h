#pragma once

#include "checkout/ReceiptForm.h"

// Template window of the one-part receipt on 76 mm paper.
class TDy76Form : public TReceiptForm
{
    Q_OBJECT
public:
    explicit TDy76Form(QWidget *parent = nullptr);
};
