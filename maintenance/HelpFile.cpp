#include "maintenance/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace HelpFile {

QUrl Location(const QString &programFolder)
{
    const QDir folder(programFolder);
    const QString compiled = folder.absoluteFilePath(CompiledHelp);
    return QUrl::fromLocalFile(QFileInfo(compiled).isFile() ? compiled : folder.absoluteFilePath(HelpPage));
}

} // namespace HelpFile
