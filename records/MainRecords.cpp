#include "counter/MainUnit.h"

#include "app/Windows.h"
#include "grid/Handlers.h"
#include "records/CatalogueWindow.h"
#include "records/StatisticsWindow.h"

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
    SpxxForm->reload();
    SpxxForm->exec();
    // The catalogue window tells of its changes as it closes.
    ReloadProductList();
}

void TMainForm::N2Click()
{
    XstjForm->reload();
    XstjForm->exec();
}

void TMainForm::SpeedButton6Click()
{
    N2Click();
}
