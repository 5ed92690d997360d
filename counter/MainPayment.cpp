#include "counter/MainUnit.h"

// Payment: the change for the amount paid, and dropping a line's fraction.
void TMainForm::ConnectPayment()
{
}
