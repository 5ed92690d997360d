#include "checkout/Dy58Unit.h"

#include "checkout/ReceiptLayout.h"

TDy58Form::TDy58Form(QWidget *parent)
    : TReceiptForm(ReceiptLayout::OnePart58(), parent)
{
}
