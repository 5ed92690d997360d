#include "counter/KeyReleaseHook.h"

#include <QKeyEvent>

KeyReleaseHook::KeyReleaseHook(QObject *parent)
    : QObject(parent)
{
}

void KeyReleaseHook::watch(QObject *field)
{
    field->installEventFilter(this);
}

bool KeyReleaseHook::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease && !static_cast<QKeyEvent *>(event)->isAutoRepeat())
        emit released();
    return false;
}
