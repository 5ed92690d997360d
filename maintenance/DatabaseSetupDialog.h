#pragma once

#include "data/store/ServerSettings.h"

#include <QDialog>

class QLineEdit;
class QSpinBox;

// "数据库设置": whether this counter keeps the shop's catalogue and sales on a
// PostgreSQL server, which one, and the counter's number; kept in
// database.conf. The server's password has a masked field of its own. An empty address keeps everything in the data
// file. The test button connects with the address as typed; OK saves, and the program uses the settings from its next
// start.
class DatabaseSetupDialog : public QDialog
{
    Q_OBJECT
public:
    explicit DatabaseSetupDialog(QWidget *parent = nullptr, const QString &confPath = ServerSettingsPath());

    ServerSettings chosenSettings() const;

private:
    void testConnection();
    void saveAndClose();

    QString m_confPath;
    QLineEdit *m_urlEdit; // the address without its password
    QLineEdit *m_passwordEdit;
    QSpinBox *m_counterBox;
};
