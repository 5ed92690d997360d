#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

// The help pages in the program's own window, so they open without a browser.
// Links between the pages are followed inside it; 目录 returns to the index.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    // `folder` holds the pages (HelpFile::Folder()).
    HelpWindow(const QString &folder, QWidget *parent);

    // Shows the index page.
    void showIndex();

private:
    QTextBrowser *m_browser;
    QUrl m_index;
};
