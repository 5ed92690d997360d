#include "maintenance/BackupRestore.h"

#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/FileMaintenance.h"

#include <exception>

namespace BackupRestore {

QString BackupFileName(const QString &chosen)
{
    const QString suffix = QStringLiteral(".bak");
    return chosen.endsWith(suffix, Qt::CaseInsensitive) ? chosen : chosen + suffix;
}

bool Backup(const QString &chosen)
{
    try {
        FileMaintenance::CopyDataFile(DataFile::Path(), BackupFileName(chosen));
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

bool Restore(const QString &chosen)
{
    try {
        DataFile::Validate(chosen);
        Connection::CloseAll();
        FileMaintenance::CopyDataFile(chosen, DataFile::Path());
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace BackupRestore
