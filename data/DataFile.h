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

// Makes sure the data file is usable: creates a new, owner-only file with the
// five tables and a default settings row when none exists; otherwise checks
// that it opens with our key and holds every table and column. Throws
// DataError naming the file and the problem; never modifies a file it refuses.
void EnsureUsable(const QString &path);

// Checks a file without creating or changing anything (restore uses it).
void Validate(const QString &path);

// Why the file of Path() was refused at start-up; empty when it is usable.
// Connections refuse to open a refused file, so nothing ever changes it.
QString Problem();

} // namespace DataFile

// The connection text a window uses when it reconnects: the data file's path.
QString RuntimeConnectionString();
