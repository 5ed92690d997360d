#include "data/InstanceLock.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString &dataFile)
    : m_lockFile(LockFileName(dataFile))
{ }

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock; the file stays for the next run
}

bool InstanceLock::acquire()
{
    if (m_fd >= 0)
        return true;
    // Close-on-exec: a browser or help viewer started from the program must
    // not inherit the lock and keep it after the program ends.
    const int fd = ::open(QFile::encodeName(m_lockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool heldElsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldElsewhere;
    }
    m_fd = fd;
    return true;
}

bool InstanceLock::IsHeld(const QString &dataFile)
{
    const int fd = ::open(QFile::encodeName(LockFileName(dataFile)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // no lock file: no program has run on it
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

QString InstanceLock::LockFileName(const QString &dataFile)
{
    return dataFile + QStringLiteral(".lock");
}
