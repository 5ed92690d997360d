#pragma once

#include <QObject>

// Raises released() whenever a key is let go in a watched field, the event a
// number field recomputes on. Auto-repeat releases of a held key do not count.
class KeyReleaseHook : public QObject
{
    Q_OBJECT
public:
    explicit KeyReleaseHook(QObject *parent = nullptr);

    void watch(QObject *field);

signals:
    void released();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
