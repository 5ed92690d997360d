#pragma once

#include <QString>

#include <optional>

// The PostgreSQL server a shop with several counters keeps its catalogue and
// sales on, and this counter's number, from database.conf in this machine's
// settings folder ([database] url, counter). Without the file every table
// stays in the data file.
struct ServerSettings
{
    QString url; // a libpq connection string or postgresql:// address
    int counter = 0; // 1 to 99: the last two digits of this counter's ticket numbers
};

inline constexpr int kMaxCounterNumber = 99;

QString ServerSettingsPath();
// None when the file is absent. Throws DataError naming the file when it
// cannot be read, names no server, or its counter number is not 1 to 99.
std::optional<ServerSettings> LoadServerSettings(const QString &path = ServerSettingsPath());
// Connects to the server as this counter would, creating the shop's tables
// when it has none. Throws ServerAwayError or DataError with the reason.
void CheckServer(const QString &url);
// A warning naming the file when others than its owner can read it; empty
// when they cannot or there is no file.
QString ServerSettingsWarning(const QString &path = ServerSettingsPath());
// Writes the file owner-only, making its folder; an empty url removes the file (no
// server). Throws DataError when it cannot be written.
void SaveServerSettings(const ServerSettings &settings, const QString &path = ServerSettingsPath());
