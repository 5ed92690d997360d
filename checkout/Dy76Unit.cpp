#include "checkout/Dy76Unit.h"

#include "checkout/ReceiptLayout.h"

TDy76Form::TDy76Form(QWidget *parent)
    : TReceiptForm(ReceiptLayout::OnePart76(), parent)
{
}
