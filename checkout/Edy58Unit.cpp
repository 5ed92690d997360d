#include "checkout/Edy58Unit.h"

#include "checkout/ReceiptLayout.h"

TEdy58Form::TEdy58Form(QWidget *parent)
    : TReceiptForm(ReceiptLayout::TwoPart58(), parent)
{
}
