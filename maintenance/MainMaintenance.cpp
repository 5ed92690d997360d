#include "counter/MainUnit.h"

// Backup, restore, help and web entries of the options menu.
void TMainForm::ConnectMaintenance()
{
}
