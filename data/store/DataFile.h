#pragma once

#include <QString>

// Where the data file lives and how it is opened. The path is fixed once when
// the program starts, so a file dialog that changes the current directory never
// moves the data.
namespace DataFile {

inline constexpr const char *kFileName = "data.mdb";
inline constexpr const char *kPassword = "530418269751";

// Resolves data.mdb against the current directory and keeps it for the run.
void ResolveAtStartup();
// Sets the path explicitly (tests, tools).
void SetPath(const QString &path);
// The path every connection opens.
QString Path();

// Makes a new data file at `path` when nothing is there: the five tables and a
// default settings row, built under a temporary owner-only name and renamed
// into place once complete. Anything already at `path` is left alone, even a
// file another program put there meanwhile.
// Throws DataError.
void CreateIfMissing(const QString &path);

// CreateIfMissing(), then the checks of opening it for writing.
void EnsureUsable(const QString &path);

enum class CheckDepth { Quick, Full };

// Checks a file without creating or changing anything: it must open with our
// key, hold every table and column and pass the engine's quick or full
// page-by-page check (restore and backup use it). Throws DataError.
void Validate(const QString &path, CheckDepth depth = CheckDepth::Full);

// The warning for a data file found damaged while the program runs.
QString DamageWarning(const QString &path);

} // namespace DataFile
