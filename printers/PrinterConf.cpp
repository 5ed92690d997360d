#include "printers/PrinterConf.h"

#include "base/AppError.h"
#include "base/MachineSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString kGroup = QStringLiteral("printer");
const QString kCups = QStringLiteral("cups");
const QString kEscPos = QStringLiteral("escpos");

[[noreturn]] void Unusable(const QString &path, const QString &key, const QString &value)
{
    throw AppError(QStringLiteral("打印机设置文件“%1”中的 %2=%3 无法使用").arg(path, key, value));
}

bool ReadFlag(const QSettings &file, const QString &path, const QString &key, bool fallback)
{
    const QString text = file.value(key).toString().trimmed().toLower();
    if (text.isEmpty())
        return fallback;
    if (text == QStringLiteral("true") || text == QStringLiteral("1") || text == QStringLiteral("yes"))
        return true;
    if (text == QStringLiteral("false") || text == QStringLiteral("0") || text == QStringLiteral("no"))
        return false;
    Unusable(path, key, text);
}

// The settings reader passes over lines it cannot use, so a damaged or
// misspelled file would silently mean the system printer: every line must be
// blank, a comment, the [printer] group or one of its keys.
void CheckLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取打印机设置文件“%1”：%2").arg(path, file.errorString()));
    static const QStringList keys{QStringLiteral("kind"), QStringLiteral("target"), QStringLiteral("dots"),
                                  QStringLiteral("cut"), QStringLiteral("drawer")};
    const QString header = u'[' + kGroup + u']';
    bool inGroup = false;
    int number = 0;
    while (!file.atEnd()) {
        ++number;
        QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (number == 1 && line.startsWith(QChar(0xFEFF)))
            line = line.mid(1).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inGroup = line == header;
            if (inGroup)
                continue;
        } else if (inGroup && line.contains(u'=') && keys.contains(line.section(u'=', 0, 0).trimmed())) {
            continue;
        }
        throw AppError(
            QStringLiteral("打印机设置文件“%1”第 %2 行无法识别：%3").arg(path, QString::number(number), line.left(80)));
    }
}

} // namespace

QString PrinterConfPath()
{
    return MachineSettingsFile(QStringLiteral("printer.conf"));
}

PrinterConf LoadPrinterConf(const QString &path)
{
    PrinterConf conf;
    if (!QFileInfo::exists(path))
        return conf;
    CheckLines(path);
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法读取打印机设置文件“%1”").arg(path));
    file.beginGroup(kGroup);

    const QString kind = file.value(QStringLiteral("kind"), kCups).toString().trimmed().toLower();
    if (kind == kEscPos)
        conf.kind = PrinterConf::Kind::EscPos;
    else if (kind != kCups)
        Unusable(path, QStringLiteral("kind"), kind);

    conf.target = file.value(QStringLiteral("target")).toString().trimmed();
    const QString dots = file.value(QStringLiteral("dots"), QString::number(conf.dots)).toString().trimmed();
    bool isNumber = false;
    conf.dots = dots.toInt(&isNumber);
    if (!isNumber || conf.dots < kMinDots || conf.dots > kMaxDots)
        Unusable(path, QStringLiteral("dots"), dots);
    conf.cut = ReadFlag(file, path, QStringLiteral("cut"), conf.cut);
    conf.drawer = ReadFlag(file, path, QStringLiteral("drawer"), conf.drawer);
    return conf;
}

void SavePrinterConf(const QString &path, const PrinterConf &conf)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw AppError(QStringLiteral("无法创建文件夹“%1”").arg(folder));
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    file.beginGroup(kGroup);
    file.setValue(QStringLiteral("kind"), conf.kind == PrinterConf::Kind::EscPos ? kEscPos : kCups);
    file.setValue(QStringLiteral("target"), conf.target);
    file.setValue(QStringLiteral("dots"), conf.dots);
    file.setValue(QStringLiteral("cut"), conf.cut);
    file.setValue(QStringLiteral("drawer"), conf.drawer);
    file.endGroup();
    file.sync();
    if (file.status() != QSettings::NoError)
        throw AppError(QStringLiteral("无法保存打印机设置文件“%1”").arg(path));
}
