#pragma once

// The engine's own handles, for the store's code only.
#ifndef SC_STORE_ENGINES
#error "only data/store reaches the engines' handles"
#endif

#include "data/store/DataFile.h"

struct sqlite3;

namespace DataFile {

// Opens the data file at `path` for reading and writing with our key and
// checks, on that same handle, that it holds every table and column and can
// be written. Waits for another program's lock as long as any statement does.
// Throws DataError naming the file and the problem (DataBusyError when the
// lock outlasts the wait); a refused file is never written.
sqlite3 *Open(const QString &path);

// Opens the data file at `path` read-only with our key and checks that it
// holds every table and column. Throws DataError.
sqlite3 *OpenForReading(const QString &path);

enum class CheckResult { Intact, Damaged, Stopped };
// Runs the engine's quick or full check on an open handle; Stopped when
// sqlite3_interrupt() ended it.
CheckResult CheckPages(sqlite3 *db, CheckDepth depth);

} // namespace DataFile
