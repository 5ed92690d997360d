#include "counter/KeyReleaseHook.h"

#include <QKeyEvent>

KeyReleaseHook::KeyReleaseHook(QObject *parent)
    : QObject(parent)
{ }

void KeyReleaseHook::watch(QObject *field)
{
    field->installEventFilter(this);
}

bool KeyReleaseHook::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress)
        m_pressed.insert(key->key());
    else if (!key->isAutoRepeat() && m_pressed.remove(key->key()))
        emit released();
    return false;
}
