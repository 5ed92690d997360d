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

// A file in write-ahead-log mode keeps committed pages outside the main file;
// they are folded into it first, or the copy would miss them.
void foldLog(Connection &source, const QString &target)
{
    Statement mode(source, QStringLiteral("PRAGMA journal_mode"));
    if (!mode.step() || mode.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
        return;
    Statement checkpoint(source, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    if (!checkpoint.step() || checkpoint.value(0).toInt() != 0)
        throw copyFailed(target, QStringLiteral("数据文件正被使用"));
}

// Reads the file through the engine's own handle: opening and closing the file
// separately would drop the process's locks on it.
void writeBytes(Connection &source, QFile &out, const QString &target)
{
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(source.handle(), "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file
        || !file->pMethods)
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

} // namespace

void CopyDataFile(const QString &source, const QString &target)
{
    QTemporaryFile copy(target + QStringLiteral(".XXXXXX"));
    if (!copy.open())
        throw copyFailed(target, copy.errorString());
    {
        Connection reader;
        reader.setConnectionString(source);
        foldLog(reader, target);
        // The read transaction holds a shared lock until the reader closes:
        // no connection can write the file while its bytes are read.
        reader.exec(QStringLiteral("BEGIN"));
        reader.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        writeBytes(reader, copy, target);
    }
    syncToDisk(copy, target);
    copy.close();
    DataFile::Validate(copy.fileName());

    if (::rename(QFile::encodeName(copy.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        throw copyFailed(target, systemError());
    copy.setAutoRemove(false);
    syncFolder(QFileInfo(target).absolutePath(), target);
}

} // namespace FileMaintenance
