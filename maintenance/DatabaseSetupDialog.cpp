#include "maintenance/DatabaseSetupDialog.h"

#include "data/store/ServerAddress.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

DatabaseSetupDialog::DatabaseSetupDialog(QWidget *parent, const QString &confPath)
    : QDialog(parent)
    , m_confPath(confPath)
    , m_urlEdit(new QLineEdit(this))
    , m_passwordEdit(new QLineEdit(this))
    , m_counterBox(new QSpinBox(this))
{
    setObjectName(QStringLiteral("DatabaseSetupDialog"));
    setWindowTitle(QStringLiteral("数据库设置"));
    m_urlEdit->setObjectName(QStringLiteral("urlEdit"));
    m_urlEdit->setPlaceholderText(QStringLiteral("postgresql://shop@10.0.0.5/shop"));
    m_urlEdit->setMinimumWidth(360);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_counterBox->setObjectName(QStringLiteral("counterBox"));
    m_counterBox->setRange(1, kMaxCounterNumber);

    auto *note = new QLabel(QStringLiteral("多台收银机共用一个 PostgreSQL 服务器上的商品和销售数据。\n"
                                           "服务器地址留空则数据只保存在本机。设置在程序重新启动后生效。"),
                            this);
    auto *testButton = new QPushButton(QStringLiteral("测试连接"), this);
    testButton->setObjectName(QStringLiteral("testButton"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("服务器地址："), m_urlEdit);
    form->addRow(QStringLiteral("密码："), m_passwordEdit);
    form->addRow(QStringLiteral("收银台号："), m_counterBox);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(form);
    layout->addWidget(testButton, 0, Qt::AlignLeft);
    layout->addWidget(buttons);

    std::optional<ServerSettings> current;
    Dialogs::Guarded(this, [this, &current] { current = LoadServerSettings(m_confPath); });
    if (current) {
        const ServerAddress address = SplitServerAddress(current->url);
        m_urlEdit->setText(address.withoutPassword);
        m_passwordEdit->setText(address.password);
        m_counterBox->setValue(current->counter);
    }

    ConnectHandler(testButton, &QPushButton::clicked, this, &DatabaseSetupDialog::testConnection);
    ConnectHandler(buttons, &QDialogButtonBox::accepted, this, &DatabaseSetupDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ServerSettings DatabaseSetupDialog::chosenSettings() const
{
    const QString address = m_urlEdit->text().trimmed();
    // An address typed with its password in it keeps it unless the field gives another.
    ServerAddress parts = SplitServerAddress(address);
    if (!m_passwordEdit->text().isEmpty())
        parts.password = m_passwordEdit->text();
    return {address.isEmpty() ? QString() : JoinServerAddress(parts), m_counterBox->value()};
}

void DatabaseSetupDialog::testConnection()
{
    const QString url = chosenSettings().url;
    if (url.isEmpty()) {
        Dialogs::Message(this, QStringLiteral("请填写服务器地址。"), Dialogs::Icon::Warning);
        return;
    }
    CheckServer(url);
    Dialogs::Message(this, QStringLiteral("连接成功。"), Dialogs::Icon::Information);
}

void DatabaseSetupDialog::saveAndClose()
{
    SaveServerSettings(chosenSettings(), m_confPath);
    Dialogs::Message(this, QStringLiteral("数据库设置已保存，重新启动程序后生效。"), Dialogs::Icon::Information);
    accept();
}
