#include "counter/WindowChrome.h"

#include <QLabel>
#include <QMouseEvent>
#include <QWindow>

WindowChrome::WindowChrome(QWidget &window, QLabel *banner, QLabel *minimise, QLabel *close)
    : QObject(&window)
    , m_window(window)
    , m_banner(banner)
    , m_minimise(minimise)
    , m_close(close)
{
    for (QLabel *chrome : {m_banner, m_minimise, m_close})
        chrome->installEventFilter(this);
}

bool WindowChrome::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton)
        return false;
    if (event->type() == QEvent::MouseButtonPress && watched == m_banner) {
        if (QWindow *window = m_window.windowHandle())
            window->startSystemMove();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == m_minimise) {
        m_window.showMinimized();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == m_close) {
        m_window.close();
        return true;
    }
    return false;
}
