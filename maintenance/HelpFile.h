#pragma once

#include <QString>
#include <QUrl>

// The program's help: a compiled help file when the shop has one in the
// program's folder, otherwise the help page shipped with the program.
namespace HelpFile {

inline const QString CompiledHelp = QStringLiteral("使用帮助.chm");
inline const QString HelpPage = QStringLiteral("使用帮助.html");

QUrl Location(const QString &programFolder);

} // namespace HelpFile
