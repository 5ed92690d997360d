#pragma once

#include <QString>

struct sqlite3;

// Turns what the engine reported on `db` (result code `code`) about the data
// file at `path` into an error in the user's words: a locked file
// (DataBusyError), a read-only file, a full disk, a damaged file, a file that
// cannot be read or opened. Other codes keep the engine's own text. For data/
// only.
[[noreturn]] void ThrowEngineError(sqlite3 *db, int code, const QString &path);
