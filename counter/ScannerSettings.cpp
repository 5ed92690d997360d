#include "counter/ScannerSettings.h"

#include "base/AppError.h"
#include "base/MachineSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kFrom = QStringLiteral("scanner/scale_prefix_from");
const QString kTo = QStringLiteral("scanner/scale_prefix_to");
const QString kFigure = QStringLiteral("scanner/scale_figure");

[[noreturn]] void Unusable(const QString &path, const QString &key, const QString &value)
{
    throw AppError(QStringLiteral("本机设置文件“%1”中的 %2=%3 无法使用").arg(path, key.section(u'/', 1), value));
}

int ReadPrefix(const QSettings &file, const QString &path, const QString &key, int fallback)
{
    const QString text = file.value(key).toString().trimmed();
    if (text.isEmpty())
        return fallback;
    bool read = false;
    const int prefix = text.toInt(&read);
    if (!read || prefix < 0 || prefix > 99)
        Unusable(path, key, text);
    return prefix;
}

} // namespace

QString CounterConfPath()
{
    return MachineSettingsFile(QStringLiteral("counter.conf"));
}

ScannerSettings LoadScannerSettings(const QString &path)
{
    ScannerSettings settings;
    if (!QFileInfo::exists(path))
        return settings;
    const QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法读取本机设置文件“%1”").arg(path));
    settings.prefixFrom = ReadPrefix(file, path, kFrom, settings.prefixFrom);
    settings.prefixTo = ReadPrefix(file, path, kTo, settings.prefixTo);
    if (settings.prefixFrom > settings.prefixTo)
        Unusable(path, kTo, QString::number(settings.prefixTo));
    const QString figure = file.value(kFigure).toString().trimmed();
    if (!figure.isEmpty() && figure != QLatin1String("amount") && figure != QLatin1String("weight"))
        Unusable(path, kFigure, figure);
    settings.figureIsWeight = figure == QLatin1String("weight");
    return settings;
}

void SaveScannerSettings(const QString &path, const ScannerSettings &settings)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw AppError(QStringLiteral("无法创建本机设置文件“%1”所在的文件夹").arg(path));
    QSettings file(path, QSettings::IniFormat);
    file.setValue(kFrom, settings.prefixFrom);
    file.setValue(kTo, settings.prefixTo);
    file.setValue(kFigure, settings.figureIsWeight ? QStringLiteral("weight") : QStringLiteral("amount"));
    file.sync();
    if (file.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法保存本机设置文件“%1”").arg(path));
}
