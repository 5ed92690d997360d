#pragma once

#include <QString>

// Writes the desktop launcher "Tindrel销售小票打印软件.desktop", which starts
// this program (the installed one, once installed) on the data folder this
// start uses, so that a start from the icon works on the same data. Rewritten at every start; silently skipped
// when the desktop folder cannot be written.
void WriteDesktopEntry(const QString &dataFolder);
