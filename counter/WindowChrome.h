#pragma once

#include <QObject>

class QLabel;
class QWidget;

// The frameless window's own title bar: the banner drags the window, two
// pictures minimise and close it.
class WindowChrome : public QObject
{
    Q_OBJECT
public:
    WindowChrome(QWidget &window, QLabel *banner, QLabel *minimise, QLabel *close);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget &m_window;
    QLabel *m_banner, *m_minimise, *m_close;
};
