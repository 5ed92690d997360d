#include "maintenance/BackupRestore.h"

#include "data/AppError.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/FileMaintenance.h"
#include "data/InstanceLock.h"

#include <QFile>

#include <unistd.h>

namespace BackupRestore {

QString BackupFileName(const QString &chosen)
{
    const QString suffix = QStringLiteral(".bak");
    return chosen.endsWith(suffix, Qt::CaseInsensitive) ? chosen : chosen + suffix;
}

bool Backup(Connection &session, const QString &chosen)
{
    const QString target = BackupFileName(chosen);
    if (InstanceLock::IsHeld(target))
        return false;
    try {
        FileMaintenance::CopyDataFile(session, target);
        return true;
    } catch (const DataError &) {
        return false;
    }
}

QString ReplacedDataName(const QString &dataFile, const QDateTime &moment)
{
    return dataFile + moment.toString(QStringLiteral(".yyyyMMddHHmmss")) + QStringLiteral(".bak");
}

bool Restore(Connection &session, const QString &chosen)
{
    if (InstanceLock::IsHeld(chosen))
        return false;
    // Most refusals come before the session is touched; the copy then gets
    // the full check before it replaces anything.
    try {
        DataFile::Validate(chosen, DataFile::CheckDepth::Quick);
    } catch (const DataError &) {
        return false;
    }
    bool replaced = false;
    session.close();
    // The closed file keeps a second name, which holds on to the data the copy
    // is about to replace; without it, no restore.
    const QString dataFile = session.filePath();
    const QString kept = ReplacedDataName(dataFile, QDateTime::currentDateTime());
    if (::link(QFile::encodeName(dataFile).constData(), QFile::encodeName(kept).constData()) != 0) {
        session.open();
        return false;
    }
    try {
        FileMaintenance::CopyDataFile(chosen, dataFile);
        replaced = true;
    } catch (const DataError &) {
        // Told to the cashier as the failed restore; the old file is in place.
        QFile::remove(kept);
    }
    session.open();
    return replaced;
}

} // namespace BackupRestore
