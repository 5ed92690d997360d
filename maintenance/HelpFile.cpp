#include "maintenance/HelpFile.h"

#include <QDir>
#include <QFileInfo>

namespace HelpFile {

QString Folder(const QString &programFolder)
{
    for (const QString &folder : {QDir(programFolder).absoluteFilePath(QStringLiteral("../share/salescounter")),
                                  QStringLiteral(SC_HELP_SOURCE_FOLDER)}) {
        if (QFileInfo(QDir(folder).filePath(IndexPage)).isFile())
            return QDir::cleanPath(folder);
    }
    return {};
}

} // namespace HelpFile
