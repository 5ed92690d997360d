#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>
#include <string>

// A window's control found by its objectName; a missing one ends the test.
template <typename Control>
Control *Find(const QObject &window, const char *name)
{
    auto *control = window.findChild<Control *>(QString::fromLatin1(name));
    if (!control)
        throw std::runtime_error(std::string("no control named ") + name);
    return control;
}

template <typename Control>
Control *Find(const QObject *window, const char *name)
{
    return Find<Control>(*window, name);
}
