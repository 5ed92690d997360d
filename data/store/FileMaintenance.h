#pragma once

#include <QString>

class Session;

// Whole-file copies of a data file, for backup and restore.
namespace FileMaintenance {

// Copies the data file open on `source` to `target` as it stands between two
// transactions: its bytes are read under a read lock, so no half-written change
// can be in the copy. The copy is written beside `target` under a temporary
// name, flushed to disk and checked page by page to be an undamaged data file
// before it is renamed to `target`, replacing a file of that name; until then
// `target` stays as it was. Throws DataError giving the reason (a full disk,
// no permission, a damaged file).
void CopyDataFile(Session &source, const QString &target);
// The same from a file, opened read-only for the copy.
void CopyDataFile(const QString &source, const QString &target);
// Copies `source` over the data file of `session`, which is closed: the lock
// the session holds on its file moves onto the copy as it takes the place.
void ReplaceDataFile(const QString &source, Session &session);

} // namespace FileMaintenance
