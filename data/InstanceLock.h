#pragma once

#include <QString>

// Keeps a data file to one running program: an exclusive lock on a lock file
// beside it, held until the lock is destroyed or the process ends. The system
// drops the lock when the process dies, so a crash never leaves it behind.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataFile);
    ~InstanceLock();

    // Takes the lock; false only when another running program holds it. Where
    // no lock file can be made (a folder that cannot be written) the run goes
    // on without one, and opening the session reports the folder.
    bool acquire();
    bool isHeld() const { return m_fd >= 0; }

    // Whether a running program holds the lock of `dataFile`; a copy from or
    // onto such a file could be torn by its writes.
    static bool IsHeld(const QString &dataFile);
    static QString LockFileName(const QString &dataFile);

    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

private:
    QString m_lockFile;
    int m_fd = -1;
};
