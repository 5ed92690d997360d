#include "counter/MainUnit.h"

// Opening the catalogue and statistics windows from the main window.
void TMainForm::ConnectRecords()
{
}
