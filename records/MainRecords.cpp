#include "counter/MainUnit.h"

#include "grid/Handlers.h"
#include "app/Windows.h"
#include "records/SpxxUnit.h"
#include "records/XstjUnit.h"

#include <QAction>
#include <QToolButton>

// Opening the catalogue and statistics windows from the main window.
void TMainForm::ConnectRecords()
{
    ConnectHandler(N1, &QAction::triggered, this, &TMainForm::N1Click);
    ConnectHandler(N2, &QAction::triggered, this, &TMainForm::N2Click);
    ConnectHandler(SpeedButton6, &QToolButton::clicked, this, &TMainForm::SpeedButton6Click);
}

void TMainForm::N1Click()
{
    SpxxForm->Reload();
    SpxxForm->exec();
}

void TMainForm::N2Click()
{
    XstjForm->Reload();
    XstjForm->exec();
}

void TMainForm::SpeedButton6Click()
{
    N2Click();
}
