#include "counter/MainUnit.h"

// Ticket lines: add, modify, delete, a click on a line, and the totals.
void TMainForm::ConnectTicketLines()
{
}
