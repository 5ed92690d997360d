#pragma once

#include <QString>

// Where the program's help pages are: installed, in share/salescounter beside
// the program's bin folder (/usr/share/salescounter); otherwise, for a program
// built from the source, in the source tree's help folder.
namespace HelpFile {

inline const QString IndexPage = QStringLiteral("index.html");

// The first of those folders that holds the index page; empty when none does.
QString Folder(const QString &programFolder);

} // namespace HelpFile
