#include "app/StartOptions.h"

#include "base/AppError.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

StartOptions ReadStartOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption data(QStringLiteral("data"), QString(), QStringLiteral("DIR"));
    const QCommandLineOption kiosk(QStringLiteral("kiosk"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({data, kiosk, version});
    StartOptions options;
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        options.problem = QStringLiteral("无法识别的启动参数：%1\n可用的参数：--data 文件夹、--kiosk、--version")
                              .arg(arguments.mid(1).join(QLatin1Char(' ')));
        return options;
    }
    options.kiosk = parser.isSet(kiosk);
    options.version = parser.isSet(version);
    options.dataFolder = parser.isSet(data)
        ? QFileInfo(parser.value(data)).absoluteFilePath()
        : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/salescounter");
    return options;
}

void EnterDataFolder(const QString &folder)
{
    const QFileInfo info(folder);
    const bool made = !info.exists() && QDir().mkpath(info.absolutePath())
        && QDir(info.absolutePath()).mkdir(info.fileName(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (!(info.exists() || made) || !QDir::setCurrent(folder))
        throw AppError(QStringLiteral("无法使用数据文件夹“%1”，请检查它的位置和权限。程序无法启动。")
                           .arg(QDir::toNativeSeparators(folder)));
}

QString ProgramVersion()
{
    return QStringLiteral(SC_VERSION);
}
