#pragma once

#include <QString>

// Whole-file copies of a data file, for backup and restore.
namespace FileMaintenance {

// Copies the data file at `source` to `target` as it stands between two
// transactions: its bytes are read under a read lock, so no half-written change
// can be in the copy, and the copy opens with the same key. The copy is written
// beside `target` under a temporary name, flushed to disk and checked to be a
// usable data file before it is renamed to `target`, replacing a file of that
// name; until then `target` stays as it was. Throws DataError.
void CopyDataFile(const QString &source, const QString &target);

} // namespace FileMaintenance
