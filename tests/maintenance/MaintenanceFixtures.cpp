#include "tests/maintenance/MaintenanceFixtures.h"

#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <QFile>

namespace Fixtures {

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void MakeDatabase(const TempData &data, const QString &path, const QString &key, const QStringList &tables)
{
    // An empty file is an empty database; the connection does not create files.
    WriteBytes(path, {});
    Session connection;
    connection.setConnectionString(data.file());
    connection.exec(QStringLiteral("ATTACH DATABASE ?1 AS other KEY ?2"), {path, key});
    for (const QString &table : tables)
        connection.exec(QStringLiteral("CREATE TABLE other.%1 AS SELECT * FROM main.%1").arg(table));
    connection.exec(QStringLiteral("DETACH DATABASE other"));
}

QString Scalar(const QString &path, const QString &sql)
{
    Session connection;
    connection.setConnectionString(path);
    RowSet rows(connection);
    rows.setStatement(sql);
    rows.open();
    return rows.recordCount() ? rows.textAt(0, 0) : QString();
}

} // namespace Fixtures
