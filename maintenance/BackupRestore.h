#pragma once

#include <QDateTime>
#include <QString>

class Session;

// Backup and restore of the session's data file. Both throw DataError giving
// the reason of a failure: the menu entries show it under their own message.
namespace BackupRestore {

// The backup file's name: ".bak" is added unless the name already ends with it
// (in any case).
QString BackupFileName(const QString &chosen);

// Copies the session's data file to BackupFileName(chosen), replacing a file
// of that name; the copy is checked before this returns. Refused when a
// running program works on that file.
void Backup(Session &session, const QString &chosen);

// The name the data it replaces keeps after a restore, beside the data file:
// "data.mdb" restored at 2026-12-09 18:45:00 keeps "data.mdb.20261209184500.bak".
QString ReplacedDataName(const QString &dataFile, const QDateTime &moment);

// Puts a copy of the file at `chosen` in place of the session's data file. A
// file that is not an undamaged data file of this program, or that a running
// program works on, is refused before anything is touched. Otherwise the
// session is closed, the data it is about to replace kept under
// ReplacedDataName() so that a wrong restore can be undone, the data file
// replaced only once the copy is complete (the program's hold on its file
// moving onto it), and the session opened again whatever the outcome, so the
// windows run their queries on the file now in place. When it throws, the
// data file is as it was, unless the error is the session's own on reopening.
void Restore(Session &session, const QString &chosen);

} // namespace BackupRestore
