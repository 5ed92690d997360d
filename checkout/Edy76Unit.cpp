#include "checkout/Edy76Unit.h"

#include "checkout/ReceiptLayout.h"

TEdy76Form::TEdy76Form(QWidget *parent)
    : TReceiptForm(ReceiptLayout::TwoPart76(), parent)
{
}
