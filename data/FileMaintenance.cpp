#include "data/FileMaintenance.h"

#include "data/AppError.h"
#include "data/Connection.h"
#include "data/DataFile.h"

#include <sqlite3.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

namespace FileMaintenance {

namespace {

constexpr qint64 kChunkSize = 64 * 1024;

DataError copyFailed(const QString &target, const QString &reason)
{
    return DataError(QStringLiteral("无法复制数据文件到“%1”：%2").arg(QDir::toNativeSeparators(target), reason));
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
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
        throw copyFailed(target, QStringLiteral("数据文件正被使用"));
}

// Reads the file through the engine's own handle: opening and closing the file
// separately would drop the process's locks on it.
void writeBytes(sqlite3 *db, QFile &out, const QString &target)
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
        if (out.write(chunk.constData(), length) != length)
            throw copyFailed(target, out.errorString());
        offset += length;
    }
}

void syncToDisk(QFile &file, const QString &target)
{
    if (!file.flush() || ::fsync(file.handle()) != 0)
        throw copyFailed(target, systemError());
}

// Makes the rename itself durable.
void syncFolder(const QString &folder, const QString &target)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        throw copyFailed(target, systemError());
    const bool synced = ::fsync(fd) == 0;
    const QString reason = systemError();
    ::close(fd);
    if (!synced)
        throw copyFailed(target, reason);
}

// Copies the file open on `db` into `copy` inside a read transaction: the
// shared lock it holds keeps every writer out while the bytes are read.
void copyBytes(sqlite3 *db, QFile &copy, const QString &target)
{
    foldLog(db, target);
    if (!run(db, "BEGIN") || !run(db, "SELECT count(*) FROM sqlite_master"))
        throw copyFailed(target, QString::fromUtf8(sqlite3_errmsg(db)));
    try {
        writeBytes(db, copy, target);
    } catch (...) {
        run(db, "ROLLBACK");
        throw;
    }
    run(db, "ROLLBACK");
}

void copyInto(const QString &target, const std::function<void(QFile &)> &writeCopy)
{
    QTemporaryFile copy(target + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        throw copyFailed(target, copy.errorString());
    writeCopy(copy);
    syncToDisk(copy, target);
    copy.close();
    DataFile::Validate(copy.fileName());

    if (::rename(QFile::encodeName(copy.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        throw copyFailed(target, systemError());
    copy.setAutoRemove(false);
    syncFolder(QFileInfo(target).absolutePath(), target);
}

} // namespace

void CopyDataFile(Connection &source, const QString &target)
{
    copyInto(target, [&](QFile &copy) { copyBytes(source.handle(), copy, target); });
}

void CopyDataFile(const QString &source, const QString &target)
{
    copyInto(target, [&](QFile &copy) {
        sqlite3 *db = DataFile::OpenForReading(source);
        try {
            copyBytes(db, copy, target);
        } catch (...) {
            sqlite3_close(db);
            throw;
        }
        sqlite3_close(db);
    });
}

} // namespace FileMaintenance
