#pragma once

#include "grid/Dialogs.h"

#include <QObject>

// Connects a signal to a handler method of a window, or of one of its parts
// with the window as owner; an error the handler raises ends it and goes to
// the general error box, and the program goes on.
template <typename Sender, typename Signal, typename Receiver>
void ConnectHandler(Sender *sender, Signal signal, Receiver *receiver, void (Receiver::*handler)(), QWidget *owner)
{
    QObject::connect(sender, signal, receiver, [owner, receiver, handler] {
        Dialogs::Guarded(owner, [receiver, handler] { (receiver->*handler)(); });
    });
}

template <typename Sender, typename Signal, typename Window>
void ConnectHandler(Sender *sender, Signal signal, Window *window, void (Window::*handler)())
{
    ConnectHandler(sender, signal, window, handler, window);
}
