#include "counter/MainUnit.h"

#include "data/Statements.h"
#include "data/mylib.h"
#include "grid/Dialogs.h"
#include "maintenance/MaintenanceMenu.h"

#include <QAction>

// Backup, restore, help and web entries of the options menu.
void TMainForm::ConnectMaintenance()
{
    auto *menu = new MaintenanceMenu(ADOConnection1, this);
    connect(N4, &QAction::triggered, menu, &MaintenanceMenu::backUp);
    connect(N5, &QAction::triggered, menu, &MaintenanceMenu::restore);
    connect(N7, &QAction::triggered, menu, &MaintenanceMenu::openHelp);
    connect(N8, &QAction::triggered, menu, &MaintenanceMenu::openFaq);
    connect(N9, &QAction::triggered, menu, &MaintenanceMenu::openSite);
    connect(menu, &MaintenanceMenu::restored, this, &QWidget::close);
    // The session opens anew after a restore: the window's lists follow the
    // file now in place.
    connect(&ADOConnection1, &Connection::opened, this, [this] {
        Dialogs::Guarded(this, [this] {
            ReopenQuery(ADOQuery2, Sql::SelectTicketLines);
            ReopenQuery(ADOQuery3, Sql::SelectSettings);
            ReloadProductList();
        });
    });
}
