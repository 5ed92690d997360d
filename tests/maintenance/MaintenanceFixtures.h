#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TempData;

// Files for the backup and restore tests.
namespace Fixtures {

QByteArray Bytes(const QString &path);
void WriteBytes(const QString &path, const QByteArray &bytes);

// A database beside the test data holding copies of `tables` of the test data,
// under `key` (an empty key gives a plain, unencrypted database).
void MakeDatabase(const TempData &data, const QString &path, const QString &key, const QStringList &tables);

// The first column of the first row of `sql` run on the database at `path`.
QString Scalar(const QString &path, const QString &sql);

} // namespace Fixtures
