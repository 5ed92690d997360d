#pragma once

#include "grid/Dialogs.h"

#include <QObject>

// Connects a signal to a window's handler method; an error the handler raises
// ends it and goes to the general error box, and the program goes on.
template <typename Sender, typename Signal, typename Window>
void ConnectHandler(Sender *sender, Signal signal, Window *window, void (Window::*handler)())
{
    QObject::connect(sender, signal, window,
                     [window, handler] { Dialogs::Guarded(window, [window, handler] { (window->*handler)(); }); });
}
