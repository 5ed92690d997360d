#include "counter/MainUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "maintenance/BackupRestore.h"
#include "maintenance/HelpFile.h"
#include "maintenance/WebAddresses.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

namespace {

// A restore that failed after the connections were closed leaves the window's
// row sets closed; they are opened again on the data file as it was.
void Reconnect(TMainForm &form)
{
    if (!form.ADOQuery2.isOpen())
        form.ADOQuery2.open();
    if (!form.ADOQuery3.isOpen())
        form.ADOQuery3.open();
    if (!form.ADOQuery1.isOpen())
        form.ReloadProductList();
}

// The platform's answer is not examined: whatever it shows is its own.
void OpenWithDesktop(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

} // namespace

// Backup, restore, help and web entries of the options menu.
void TMainForm::ConnectMaintenance()
{
    ConnectHandler(N4, &QAction::triggered, this, &TMainForm::N4Click);
    ConnectHandler(N5, &QAction::triggered, this, &TMainForm::N5Click);
    ConnectHandler(N7, &QAction::triggered, this, &TMainForm::N7Click);
    ConnectHandler(N8, &QAction::triggered, this, &TMainForm::N8Click);
    ConnectHandler(N9, &QAction::triggered, this, &TMainForm::N9Click);
}

void TMainForm::N4Click()
{
    const QString chosen = Dialogs::SaveFileName(this);
    if (chosen.isEmpty())
        return;
    Dialogs::Message(this,
                     BackupRestore::Backup(chosen) ? QStringLiteral("数据备份成功！")
                                                   : QStringLiteral("数据备份失败，请重新备份！"),
                     Dialogs::Icon::None);
}

void TMainForm::N5Click()
{
    const QString chosen = Dialogs::OpenFileName(this);
    if (chosen.isEmpty())
        return;
    if (!BackupRestore::Restore(chosen)) {
        Dialogs::Message(this, QStringLiteral("数据恢复失败，请重新恢复！"), Dialogs::Icon::None);
        Reconnect(*this);
        return;
    }
    Dialogs::Message(this, QStringLiteral("数据恢复成功！"), Dialogs::Icon::None);
    // The restored data are used from the next start on.
    close();
}

void TMainForm::N7Click()
{
    OpenWithDesktop(HelpFile::Location(QCoreApplication::applicationDirPath()));
}

void TMainForm::N8Click()
{
    OpenWithDesktop(QUrl(WebAddresses::Faq));
}

void TMainForm::N9Click()
{
    OpenWithDesktop(QUrl(WebAddresses::Site));
}
