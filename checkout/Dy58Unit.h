#pragma once

#include "checkout/ReceiptForm.h"

// Template window of the one-part receipt on 58 mm paper.
class TDy58Form : public TReceiptForm
{
    Q_OBJECT
public:
    explicit TDy58Form(QWidget *parent = nullptr);
};
