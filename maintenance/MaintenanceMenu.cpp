#include "maintenance/MaintenanceMenu.h"

#include "base/AppError.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "data/sync/ServerImport.h"
#include "grid/Dialogs.h"
#include "maintenance/BackupRestore.h"
#include "maintenance/DatabaseSetupDialog.h"
#include "maintenance/HelpFile.h"
#include "maintenance/HelpWindow.h"
#include "maintenance/WaitingSalesDialog.h"
#include "maintenance/WebAddresses.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace {

// A machine without a browser is told so, with the address to open elsewhere.
void OpenInBrowser(QWidget *owner, const QUrl &url)
{
    if (!QDesktopServices::openUrl(url))
        Dialogs::Message(
            owner,
            QStringLiteral("没有找到可以打开网页的浏览器。请安装浏览器，或在其他设备上打开：\n%1").arg(url.toString()),
            Dialogs::Icon::Warning);
}

// The entry's own words, then why.
QString failure(const QString &message, const DataError &error)
{
    return message + QLatin1Char('\n') + error.message();
}

} // namespace

MaintenanceMenu::MaintenanceMenu(Session &session, QWidget *owner)
    : QObject(owner)
    , m_session(session)
    , m_owner(owner)
{ }

void MaintenanceMenu::backUp()
{
    const QString chosen = Dialogs::SaveFileName(m_owner);
    if (chosen.isEmpty())
        return;
    try {
        BackupRestore::Backup(m_session, chosen);
    } catch (const DataError &error) {
        Dialogs::Message(m_owner, failure(QStringLiteral("数据备份失败，请重新备份！"), error), Dialogs::Icon::None);
        return;
    }
    Dialogs::Message(m_owner, QStringLiteral("数据备份成功！"), Dialogs::Icon::None);
}

void MaintenanceMenu::restore()
{
    // The sales waiting for the server, set-aside ones included, are in the
    // file a restore replaces.
    Outbox::Counts waiting;
    Dialogs::Guarded(m_owner, [&] { waiting = m_session.hasServer() ? Outbox::Count(m_session) : Outbox::Counts{}; });
    if (waiting.waiting + waiting.setAside > 0) {
        QString text = QStringLiteral("还有 %1 笔销售等待上传到服务器，恢复会替换掉它们。")
                           .arg(waiting.waiting + waiting.setAside);
        if (waiting.setAside > 0)
            text += QStringLiteral("其中 %1 笔被服务器拒绝而搁置，请先在“选项 → 待上传销售”中重新上传。")
                        .arg(waiting.setAside);
        Dialogs::Message(m_owner, text + QStringLiteral("请等服务器恢复连接、上传完成后再恢复数据。"),
                         Dialogs::Icon::Warning);
        return;
    }
    const QString chosen = Dialogs::OpenFileName(m_owner);
    if (chosen.isEmpty())
        return;
    if (!Dialogs::AskBeforeHarm(m_owner,
                                QStringLiteral("恢复将用所选文件替换现有的全部数据（现有数据另存为同一文件夹中的 "
                                               ".bak 文件），恢复后程序将退出。确定恢复吗？")))
        return;
    try {
        BackupRestore::Restore(m_session, chosen);
    } catch (const DataError &error) {
        Dialogs::Message(m_owner, failure(QStringLiteral("数据恢复失败，请重新恢复！"), error), Dialogs::Icon::None);
        return;
    }
    Dialogs::Message(m_owner, QStringLiteral("数据恢复成功！"), Dialogs::Icon::None);
    emit restored();
}

void MaintenanceMenu::setUpDatabase()
{
    DatabaseSetupDialog dialog(m_owner);
    dialog.exec();
}

void MaintenanceMenu::showWaitingSales()
{
    if (!m_session.hasServer()) {
        Dialogs::Message(m_owner, QStringLiteral("本机没有设置服务器，销售都保存在本机，没有待上传的销售。"),
                         Dialogs::Icon::Information);
        return;
    }
    WaitingSalesDialog dialog(m_session, m_owner);
    dialog.exec();
}

void MaintenanceMenu::importToServer()
{
    if (!m_session.hasServer()) {
        Dialogs::Message(m_owner, QStringLiteral("请先在“数据库设置”中填写服务器地址，并重新启动程序。"),
                         Dialogs::Icon::Warning);
        return;
    }
    if (!Dialogs::Confirm(m_owner,
                          QStringLiteral("将本机的商品信息和全部销售记录导入服务器吗？\n"
                                         "只能导入到还没有商品和销售记录的服务器数据库。")))
        return;
    Dialogs::Guarded(m_owner, [this] {
        const ImportedCounts counts = ImportToServer(m_session);
        Dialogs::Message(m_owner,
                         QStringLiteral("导入完成：%1 种商品，%2 笔销售，%3 条销售明细。")
                             .arg(counts.products)
                             .arg(counts.tickets)
                             .arg(counts.lines),
                         Dialogs::Icon::Information);
    });
}

void MaintenanceMenu::openHelp()
{
    if (!m_help) {
        const QString folder = HelpFile::Folder(QCoreApplication::applicationDirPath());
        if (folder.isEmpty()) {
            Dialogs::Message(m_owner, QStringLiteral("没有找到帮助页面（/usr/share/salescounter），请重新安装程序。"),
                             Dialogs::Icon::Warning);
            return;
        }
        m_help = new HelpWindow(folder, m_owner);
    }
    m_help->showIndex();
    m_help->show();
    m_help->raise();
}

void MaintenanceMenu::openFaq()
{
    OpenInBrowser(m_owner, QUrl(WebAddresses::Faq));
}

void MaintenanceMenu::openSite()
{
    OpenInBrowser(m_owner, QUrl(WebAddresses::Site));
}
