#include "counter/MainUnit.h"

// Preview of the receipt template the settings choose.
void TMainForm::ConnectPreview()
{
}
