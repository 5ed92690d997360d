#include "maintenance/BackupRestore.h"

#include "base/AppError.h"
#include "base/SystemError.h"
#include "data/store/DataFile.h"
#include "data/store/FileMaintenance.h"
#include "data/store/InstanceLock.h"
#include "data/store/Session.h"

#include <QDir>
#include <QFile>

#include <cerrno>

#include <unistd.h>

namespace BackupRestore {

namespace {

// A copy from or onto a file a running program works on could be torn by its writes.
void refuseHeld(Session &session, const QString &file)
{
    if (InstanceLock::IsHeld(file, session.filePath()))
        throw DataError(QStringLiteral("文件“%1”正由一个运行中的程序使用").arg(QDir::toNativeSeparators(file)));
}

} // namespace

QString BackupFileName(const QString &chosen)
{
    const QString suffix = QStringLiteral(".bak");
    return chosen.endsWith(suffix, Qt::CaseInsensitive) ? chosen : chosen + suffix;
}

void Backup(Session &session, const QString &chosen)
{
    const QString target = BackupFileName(chosen);
    refuseHeld(session, target);
    FileMaintenance::CopyDataFile(session, target);
}

QString ReplacedDataName(const QString &dataFile, const QDateTime &moment)
{
    return dataFile + moment.toString(QStringLiteral(".yyyyMMddHHmmss")) + QStringLiteral(".bak");
}

void Restore(Session &session, const QString &chosen)
{
    refuseHeld(session, chosen);
    // Most refusals come before the session is touched; the copy then gets
    // the full check before it replaces anything.
    DataFile::Validate(chosen, DataFile::CheckDepth::Quick);
    session.close();
    // The closed file keeps a second name, which holds on to the data the copy
    // is about to replace; without it, no restore.
    const QString dataFile = session.filePath();
    const QString kept = ReplacedDataName(dataFile, QDateTime::currentDateTime());
    if (::link(QFile::encodeName(dataFile).constData(), QFile::encodeName(kept).constData()) != 0) {
        const QString reason = SystemErrorReason(errno);
        session.open();
        throw DataError(
            QStringLiteral("无法在“%1”旁保留现有的数据：%2").arg(QDir::toNativeSeparators(dataFile), reason));
    }
    try {
        // The program's lock goes onto the restored file as it takes the place.
        FileMaintenance::ReplaceDataFile(chosen, session);
    } catch (const DataError &) {
        QFile::remove(kept); // the old file is in place
        session.open();
        throw;
    }
    session.open();
}

} // namespace BackupRestore
