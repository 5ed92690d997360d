#pragma once

#include <QString>

// A server address (a libpq key=value string or a postgresql:// address) may
// carry the server's password; no text the program shows may.
struct ServerAddress
{
    QString withoutPassword;
    QString password; // as the server takes it, percent-encoding undone
};

ServerAddress SplitServerAddress(const QString &url);
// The address with the password put back, in the address's own form.
QString JoinServerAddress(const ServerAddress &parts);
// `text` with every password in it masked as ***: those of the addresses it
// quotes, and wherever it holds the password of `url`.
QString HidePassword(const QString &text, const QString &url = {});
