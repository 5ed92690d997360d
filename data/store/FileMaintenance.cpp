#include "data/store/FileMaintenance.h"

#include "base/AppError.h"
#include "base/SystemError.h"
#include "data/store/DataFileHandle.h"
#include "data/store/EngineError.h"
#include "data/store/InstanceLock.h"
#include "data/store/Session.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <functional>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace FileMaintenance {

namespace {

constexpr qint64 kChunkSize = 64 * 1024;

DataError copyFailed(const QString &target, const QString &reason)
{
    return DataError(QStringLiteral("无法复制数据文件到“%1”：%2").arg(QDir::toNativeSeparators(target), reason));
}

DataError systemFailed(const QString &target)
{
    return copyFailed(target, SystemErrorReason(errno));
}

bool run(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// A file in write-ahead-log mode keeps committed pages outside the main file;
// they are folded into it first, or the copy would miss them.
void foldLog(sqlite3 *db, const QString &target)
{
    sqlite3_stmt *mode = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &mode, nullptr);
    const bool wal = sqlite3_step(mode) == SQLITE_ROW
        && qstricmp(reinterpret_cast<const char *>(sqlite3_column_text(mode, 0)), "wal") == 0;
    sqlite3_finalize(mode);
    if (wal && sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) != SQLITE_OK)
        throw copyFailed(target, QStringLiteral("数据文件正被使用，请稍后再试"));
}

// Reads the file through the engine's own handle: opening and closing the file
// separately would drop the process's locks on it.
void writeBytes(sqlite3 *db, int out, const QString &target)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file || !file->pMethods)
        throw copyFailed(target, QStringLiteral("无法读取数据文件"));
    sqlite3_int64 size = 0;
    if (file->pMethods->xFileSize(file, &size) != SQLITE_OK)
        throw copyFailed(target, QStringLiteral("无法读取数据文件"));
    QByteArray chunk(int(kChunkSize), Qt::Uninitialized);
    for (sqlite3_int64 offset = 0; offset < size;) {
        const int length = int(std::min<sqlite3_int64>(kChunkSize, size - offset));
        if (file->pMethods->xRead(file, chunk.data(), length, offset) != SQLITE_OK)
            throw copyFailed(target, QStringLiteral("无法读取数据文件"));
        for (int written = 0; written < length;) {
            const ssize_t step = ::write(out, chunk.constData() + written, size_t(length - written));
            if (step > 0)
                written += int(step);
            else if (errno != EINTR)
                throw systemFailed(target);
        }
        offset += length;
    }
}

// Makes the rename itself durable.
void syncFolder(const QString &folder, const QString &target)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        throw systemFailed(target);
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!synced)
        throw copyFailed(target, SystemErrorReason(error));
}

// The copy under construction, beside the target: removed unless kept.
struct PartialCopy
{
    QByteArray name;
    int fd = -1;
    bool kept = false;
    ~PartialCopy()
    {
        if (fd >= 0)
            ::close(fd);
        if (!kept)
            ::unlink(name.constData());
    }
};

// Copies the file open on `db` into `copy` inside a read transaction: the
// shared lock it holds keeps every writer out while the bytes are read.
void copyBytes(sqlite3 *db, int copy, const QString &target)
{
    foldLog(db, target);
    if (!run(db, "BEGIN") || !run(db, "SELECT count(*) FROM sqlite_master"))
        throw copyFailed(target, EngineReason(db, sqlite3_extended_errcode(db)));
    try {
        writeBytes(db, copy, target);
    } catch (...) {
        run(db, "ROLLBACK");
        throw;
    }
    run(db, "ROLLBACK");
}

void copyInto(const QString &target, const std::function<void(int)> &writeCopy, InstanceLock *carried)
{
    PartialCopy copy{QFile::encodeName(target) + ".XXXXXX"};
    copy.fd = ::mkostemp(copy.name.data(), O_CLOEXEC);
    if (copy.fd < 0)
        throw systemFailed(target);
    writeCopy(copy.fd);
    if (::fsync(copy.fd) != 0)
        throw systemFailed(target);
    ::close(std::exchange(copy.fd, -1));
    const QString copyName = QFile::decodeName(copy.name);
    try {
        DataFile::Validate(copyName);
    } catch (const DataError &) {
        throw copyFailed(target, QStringLiteral("所复制的数据文件已损坏"));
    }
    const auto replace = [&] {
        if (::rename(copy.name.constData(), QFile::encodeName(target).constData()) != 0)
            throw systemFailed(target);
    };
    if (carried)
        carried->replaceWith(copyName, replace);
    else
        replace();
    copy.kept = true;
    syncFolder(QFileInfo(target).absolutePath(), target);
}

// Writes the copy from the file at `source`, opened read-only for it.
std::function<void(int)> readingFrom(const QString &source, const QString &target)
{
    return [source, target](int copy) {
        sqlite3 *db = DataFile::OpenForReading(source);
        try {
            copyBytes(db, copy, target);
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
    };
}

} // namespace

void CopyDataFile(Session &source, const QString &target)
{
    copyInto(
        target, [&](int copy) { copyBytes(source.file().handle(), copy, target); }, nullptr);
}

void CopyDataFile(const QString &source, const QString &target)
{
    copyInto(target, readingFrom(source, target), nullptr);
}

void ReplaceDataFile(const QString &source, Session &session)
{
    FileStore &file = session.file();
    copyInto(file.path(), readingFrom(source, file.path()), file.m_lock.get());
}

} // namespace FileMaintenance
