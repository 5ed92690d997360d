#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of this start.
struct StartOptions
{
    QString dataFolder; // where data.mdb and its backups live for this run
    bool kiosk = false; // full screen over the whole screen; a second start ends quietly
    bool version = false; // print the version and end
    QString problem; // an argument the program cannot use, in the user's words
};

// Reads the command line (the program's name first). `--data DIR` names the
// data folder; without it the folder is the user's own, $XDG_DATA_HOME/
// salescounter (~/.local/share/salescounter), wherever the program is started
// from. scripts/run.sh passes the repository's folder, where a start from
// the source has always kept its data.
StartOptions ReadStartOptions(const QStringList &arguments);

// Makes `folder` when it is missing, readable by its owner alone (it holds the
// shop's sales), and makes it the current folder, so data.mdb and the file
// dialogs start there. Throws AppError.
void EnterDataFolder(const QString &folder);

// The program's version, from the build.
QString ProgramVersion();
