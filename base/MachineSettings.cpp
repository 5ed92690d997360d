#include "base/MachineSettings.h"

#include <QDir>

QString MachineSettingsFile(const QString &fileName)
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/salescounter/") + fileName;
}
