#include "data/store/InstanceLock.h"

#include "base/AppError.h"
#include "base/SystemError.h"
#include "data/store/DataFile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A restore renames a new file over the old one; a lock taken on the old one
// meanwhile is taken again on the file the name now leads to.
constexpr int kAttempts = 3;

AlreadyRunningError running(const QString &file)
{
    return AlreadyRunningError(
        QStringLiteral("程序已在运行。\n数据文件“%1”正由另一个运行中的程序使用。").arg(QDir::toNativeSeparators(file)));
}

DataError cannotOpen(const QString &file, int error)
{
    return DataError(QStringLiteral("无法打开数据文件“%1”：%2。程序无法启动。")
                         .arg(QDir::toNativeSeparators(file), SystemErrorReason(error)));
}

DataError cannotLock(const QString &file, int error)
{
    return DataError(QStringLiteral("无法锁定数据文件“%1”：%2。程序无法启动。")
                         .arg(QDir::toNativeSeparators(file), SystemErrorReason(error)));
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `file` still names the file open on `fd`.
bool names(const QString &file, int fd)
{
    struct stat named = {};
    struct stat open = {};
    return ::stat(QFile::encodeName(file).constData(), &named) == 0 && ::fstat(fd, &open) == 0 && sameFile(named, open);
}

} // namespace

InstanceLock::InstanceLock(const QString &dataFile)
    : m_file(dataFile)
{ }

InstanceLock::~InstanceLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

void InstanceLock::acquire()
{
    if (m_fd >= 0)
        return;
    DataFile::CreateIfMissing(m_file);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // Close-on-exec: a browser or help viewer started from the program
        // must not inherit the lock and keep it after the program ends.
        // Reading suffices for the lock; a read-only file is told later.
        const int fd = ::open(QFile::encodeName(m_file).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            throw cannotOpen(m_file, errno);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK)
                throw running(m_file);
            throw cannotLock(m_file, error);
        }
        if (names(m_file, fd)) {
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
    throw running(m_file);
}

void InstanceLock::replaceWith(const QString &replacement, const std::function<void()> &replace)
{
    InstanceLock next(replacement);
    next.acquire();
    replace();
    std::swap(m_fd, next.m_fd); // `next` releases the replaced file
}

bool InstanceLock::IsHeld(const QString &file, const QString &ownDataFile)
{
    const QByteArray name = QFile::encodeName(file);
    struct stat probed = {};
    struct stat own = {};
    if (::stat(name.constData(), &probed) != 0)
        return false; // nothing there: no program runs on it
    if (::stat(QFile::encodeName(ownDataFile).constData(), &own) == 0 && sameFile(probed, own))
        return true;
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return false; // unreadable: no copy can be made of it either
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return held;
}
