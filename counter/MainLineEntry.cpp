#include "counter/MainUnit.h"

// Line entry and pricing: the product pick, the line's amounts, the numeric key filter.
void TMainForm::ConnectLineEntry()
{
}
