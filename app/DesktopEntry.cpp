#include "app/DesktopEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// One argument of an Exec line: quoted, with the characters the quoting and
// then the string value escape, and % doubled (it starts a field code).
QString execArgument(QString argument)
{
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\\\\\"));
    for (const QChar special : {QLatin1Char('"'), QLatin1Char('`'), QLatin1Char('$')})
        argument.replace(special, QStringLiteral("\\\\") + special);
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + argument + QLatin1Char('"');
}

} // namespace

void WriteDesktopEntry(const QString &dataFolder)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QDir(desktop).exists())
        return;
    const QString program = QCoreApplication::applicationFilePath();
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Tindrel销售小票打印软件\n"
                                         "Exec=%1 --data %2\n"
                                         "Path=%3\n"
                                         "Icon=salescounter\n"
                                         "Terminal=false\n")
                              .arg(execArgument(program), execArgument(dataFolder), dataFolder);
    QSaveFile file(QDir(desktop).filePath(QStringLiteral("Tindrel销售小票打印软件.desktop")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(entry.toUtf8());
    if (file.commit())
        QFile::setPermissions(file.fileName(), QFile::permissions(file.fileName()) | QFile::ExeOwner);
}
