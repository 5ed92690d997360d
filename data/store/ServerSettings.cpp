#include "data/store/ServerSettings.h"

#include "base/AppError.h"
#include "base/MachineSettings.h"
#include "data/store/ServerLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>

#include <unistd.h>

namespace {

const QString kGroup = QStringLiteral("database");

// A text as a quoted value of the settings file, read back unchanged.
QString QuotedValue(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

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
    // Saving without a server removes the file: one that names none is damaged
    // or mistyped, and the sales must not quietly stay on this counter.
    if (settings.url.isEmpty())
        throw DataError(
            QStringLiteral("数据库设置文件“%1”中没有服务器地址（[database] 段的 url），请改正或删除该文件。")
                .arg(path));
    const QString counter = file.value(QStringLiteral("counter")).toString().trimmed();
    bool isNumber = false;
    settings.counter = counter.toInt(&isNumber);
    if (!isNumber || settings.counter < 1 || settings.counter > kMaxCounterNumber)
        throw DataError(
            QStringLiteral("数据库设置文件“%1”中的收银台号 counter=%2 无效，应为 1 到 99。").arg(path, counter));
    return settings;
}

void CheckServer(const QString &url)
{
    ServerLink(url).connect();
}

QString ServerSettingsWarning(const QString &path)
{
    if (!QFileInfo::exists(path) || !(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther)))
        return {};
    return QStringLiteral("数据库设置文件“%1”其他用户也能读取，其中的服务器密码可能泄露。\n"
                          "请将它改为只有本人可以读写（chmod 600）。")
        .arg(path);
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
    // The address may carry the server password: the settings are written to
    // a file only its owner can read from its creation on, which then takes
    // the place of the old one.
    const QString written = path + QStringLiteral(".new");
    QFile::remove(written); // left by a save cut short
    QFile file(written);
    const QByteArray text = QStringLiteral("[%1]\nurl=%2\ncounter=%3\n")
                                .arg(kGroup, QuotedValue(settings.url.trimmed()))
                                .arg(settings.counter)
                                .toUtf8();
    bool saved = file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner)
        && file.write(text) == text.size() && file.flush() && ::fsync(file.handle()) == 0;
    file.close();
    saved = saved && std::rename(QFile::encodeName(written).constData(), QFile::encodeName(path).constData()) == 0;
    if (!saved) {
        QFile::remove(written);
        throw DataError(QStringLiteral("无法保存数据库设置文件“%1”").arg(path));
    }
}
