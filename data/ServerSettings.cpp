#include "data/ServerSettings.h"

#include "data/AppError.h"
#include "data/MachineSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
const QString kGroup = QStringLiteral("database");
}

QString ServerSettingsPath()
{
    return MachineSettingsFile(QStringLiteral("database.conf"));
}

std::optional<ServerSettings> LoadServerSettings(const QString &path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw DataError(QStringLiteral("无法读取数据库设置文件“%1”").arg(path));
    file.beginGroup(kGroup);
    ServerSettings settings;
    settings.url = file.value(QStringLiteral("url")).toString().trimmed();
    if (settings.url.isEmpty())
        return std::nullopt;
    const QString counter = file.value(QStringLiteral("counter")).toString().trimmed();
    bool isNumber = false;
    settings.counter = counter.toInt(&isNumber);
    if (!isNumber || settings.counter < 1 || settings.counter > kMaxCounterNumber)
        throw DataError(QStringLiteral("数据库设置文件“%1”中的收银台号 counter=%2 无效，应为 1 到 99。")
                            .arg(path, counter));
    return settings;
}

void SaveServerSettings(const ServerSettings &settings, const QString &path)
{
    if (settings.url.trimmed().isEmpty()) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            throw DataError(QStringLiteral("无法删除数据库设置文件“%1”").arg(path));
        return;
    }
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw DataError(QStringLiteral("无法创建文件夹“%1”").arg(folder));
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.beginGroup(kGroup);
    file.setValue(QStringLiteral("url"), settings.url.trimmed());
    file.setValue(QStringLiteral("counter"), settings.counter);
    file.endGroup();
    file.sync();
    // The address may carry the server password.
    if (file.status() != QSettings::NoError || !QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner))
        throw DataError(QStringLiteral("无法保存数据库设置文件“%1”").arg(path));
}
