#pragma once

#include <QByteArray>
#include <QString>

// Files for the backup and restore tests.
namespace Fixtures {

QByteArray Bytes(const QString &path);
void WriteBytes(const QString &path, const QByteArray &bytes);

} // namespace Fixtures
