#pragma once

// The engine's own handles, for the store's code only.
#ifndef SC_STORE_ENGINES
#error "only data/store reaches the engines' handles"
#endif

#include <QString>

struct sqlite3;

// What the engine's result `code` on `db` means, in the user's words: a
// locked, read-only, damaged or unreadable file, a full disk. Other codes
// keep the engine's own text.
QString EngineReason(sqlite3 *db, int code);

// Turns what the engine reported on `db` (result code `code`) about the data
// file at `path` into an error naming the file and the reason; a locked file
// gives DataBusyError.
[[noreturn]] void ThrowEngineError(sqlite3 *db, int code, const QString &path);
