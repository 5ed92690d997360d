#pragma once

#include "base/AppError.h"

#include <QString>

#include <functional>

// Another running program holds the data file.
class AlreadyRunningError : public DataError
{
public:
    using DataError::DataError;
};

// Keeps a data file to one running program: an exclusive lock on the file
// itself, through a descriptor of its own kept open until the lock is
// destroyed or the process ends. Being on the file rather than its name, the
// lock is found by a program that reaches the file through a symbolic or hard
// link. The system drops it when the process dies, so a crash never leaves it
// behind; it is independent of the engine's locks on the same file.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &dataFile);
    ~InstanceLock();

    // Takes the lock, first making a new data file when there is none. Throws
    // DataError naming the file and why not: AlreadyRunningError ("程序已在
    // 运行。") when another program holds it, or why the file cannot be made
    // or opened.
    void acquire();
    bool isHeld() const { return m_fd >= 0; }

    // Puts `replacement` in place of the locked file with `replace` (a rename
    // over it) and moves the lock onto it. `replacement` is locked first, so no
    // other program can take it in between; when replace() throws, the lock
    // stays where it was.
    void replaceWith(const QString &replacement, const std::function<void()> &replace);

    // Whether a running program holds the lock of `file`; a copy from or onto
    // such a file could be torn by its writes. `ownDataFile`, this program's
    // data file, counts as held and is recognised without being opened: closing
    // any descriptor of a file drops the engine's locks on it.
    static bool IsHeld(const QString &file, const QString &ownDataFile);

    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

private:
    QString m_file;
    int m_fd = -1;
};
