#pragma once

#include <QObject>
#include <QSet>

// Raises released() whenever a key is let go in a watched field, the event the
// paid field recomputes the change on. Only keys pressed in the field count: the key
// that closed a message box lets go in the field without having been pressed
// there, and must not bring the message straight back. Auto-repeat releases
// of a held key do not count either.
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

private:
    QSet<int> m_pressed; // keys pressed in a watched field and not yet let go
};
