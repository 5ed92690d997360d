#include "maintenance/MaintenanceMenu.h"

#include "data/Connection.h"
#include "grid/Dialogs.h"
#include "maintenance/BackupRestore.h"
#include "maintenance/HelpFile.h"
#include "maintenance/WebAddresses.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace {

// The platform's answer is not examined: whatever it shows is its own.
void OpenWithDesktop(const QUrl &url)
{
    QDesktopServices::openUrl(url);
}

} // namespace

MaintenanceMenu::MaintenanceMenu(Connection &session, QWidget *owner)
    : QObject(owner)
    , m_session(session)
    , m_owner(owner)
{ }

void MaintenanceMenu::backUp()
{
    const QString chosen = Dialogs::SaveFileName(m_owner);
    if (chosen.isEmpty())
        return;
    Dialogs::Message(m_owner,
                     BackupRestore::Backup(m_session, chosen) ? QStringLiteral("数据备份成功！")
                                                              : QStringLiteral("数据备份失败，请重新备份！"),
                     Dialogs::Icon::None);
}

void MaintenanceMenu::restore()
{
    const QString chosen = Dialogs::OpenFileName(m_owner);
    if (chosen.isEmpty())
        return;
    if (!Dialogs::AskBeforeHarm(m_owner,
                                QStringLiteral("恢复将用所选文件替换现有的全部数据（现有数据另存为同一文件夹中的 "
                                               ".bak 文件），恢复后程序将退出。确定恢复吗？")))
        return;
    bool restoredFile = false;
    // Only a session that cannot be opened again raises an error here.
    Dialogs::Guarded(m_owner, [&] { restoredFile = BackupRestore::Restore(m_session, chosen); });
    if (!restoredFile) {
        Dialogs::Message(m_owner, QStringLiteral("数据恢复失败，请重新恢复！"), Dialogs::Icon::None);
        return;
    }
    Dialogs::Message(m_owner, QStringLiteral("数据恢复成功！"), Dialogs::Icon::None);
    emit restored();
}

void MaintenanceMenu::openHelp()
{
    OpenWithDesktop(HelpFile::Location(QCoreApplication::applicationDirPath()));
}

void MaintenanceMenu::openFaq()
{
    OpenWithDesktop(QUrl(WebAddresses::Faq));
}

void MaintenanceMenu::openSite()
{
    OpenWithDesktop(QUrl(WebAddresses::Site));
}
