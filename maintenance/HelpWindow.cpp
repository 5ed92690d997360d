#include "maintenance/HelpWindow.h"

#include "maintenance/HelpFile.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(const QString &folder, QWidget *parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
    , m_index(QUrl::fromLocalFile(QDir(folder).filePath(HelpFile::IndexPage)))
{
    setObjectName(QStringLiteral("HelpForm"));
    setWindowTitle(QStringLiteral("帮助主题"));
    resize(760, 600);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    auto *back = new QPushButton(QStringLiteral("后退"), this);
    back->setObjectName(QStringLiteral("BackButton"));
    auto *index = new QPushButton(QStringLiteral("目录"), this);
    index->setObjectName(QStringLiteral("IndexButton"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(index, &QPushButton::clicked, this, &HelpWindow::showIndex);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    back->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(index);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
    showIndex();
}

void HelpWindow::showIndex()
{
    m_browser->setSource(m_index);
}
