#pragma once

#include <QObject>

class HelpWindow;
class Session;
class QWidget;

// The options menu's maintenance entries: backup and restore of the data file,
// the help window and the maker's FAQ page and site. Owned by `owner`, which
// also owns its messages.
class MaintenanceMenu : public QObject
{
    Q_OBJECT
public:
    MaintenanceMenu(Session &session, QWidget *owner);

public slots:
    void backUp();
    void restore();
    void openHelp();
    void openFaq();
    void openSite();
    // "数据库设置" and "导入本机数据到服务器", for a shop with several counters.
    void setUpDatabase();
    void importToServer();
    // "待上传销售": the sales not yet on the server, and those it refused.
    void showWaitingSales();

signals:
    // After "数据恢复成功！" was confirmed; the run ends here, as the next
    // start works on the restored data.
    void restored();

private:
    Session &m_session;
    QWidget *m_owner;
    HelpWindow *m_help = nullptr; // made at the first 帮助主题, owned by m_owner
};
