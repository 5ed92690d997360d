#pragma once

#include <QString>

// Backup and restore of the data file in use. Both turn any failure into a
// false result: the menu entries answer with their own failure message.
namespace BackupRestore {

// The backup file's name: ".bak" is added unless the name already ends with it
// (in any case).
QString BackupFileName(const QString &chosen);

// Copies the data file in use to BackupFileName(chosen), replacing a file of
// that name.
bool Backup(const QString &chosen);

// Puts a copy of the file at `chosen` in place of the data file in use. A file
// that is not a data file of this program is refused before anything is
// touched; otherwise every connection is closed and the data file is replaced
// only once the copy is complete. On false the data file is as it was.
bool Restore(const QString &chosen);

} // namespace BackupRestore
