#include "app/DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

void WriteDesktopEntry(const QString &dataFolder)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QDir(desktop).exists())
        return;
    const QString program = QCoreApplication::applicationFilePath();
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Tindrel销售小票打印软件\n"
                                         "Exec=\"%1\"\n"
                                         "Path=%2\n"
                                         "Terminal=false\n")
                              .arg(program, dataFolder);
    QSaveFile file(QDir(desktop).filePath(QStringLiteral("Tindrel销售小票打印软件.desktop")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(entry.toUtf8());
    if (file.commit())
        QFile::setPermissions(file.fileName(), QFile::permissions(file.fileName()) | QFile::ExeOwner);
}
