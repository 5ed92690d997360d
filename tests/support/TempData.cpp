#include "tests/support/TempData.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"

#include "data/store/Session.h"
#include <QFile>
#include <QRandomGenerator>

TempData::TempData()
    : m_file(m_dir.filePath(QStringLiteral("data.mdb")))
{
    DataFile::SetPath(m_file);
    DataFile::EnsureUsable(m_file);
}

void TempData::exec(const QString &sql) const
{
    Session c;
    c.setConnectionString(m_file);
    c.exec(sql);
}

int TempData::count(const QString &table) const
{
    return scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

QString TempData::scalar(const QString &sql) const
{
    Session c;
    c.setConnectionString(m_file);
    RowSet rs(c);
    rs.setStatement(sql);
    rs.open();
    return rs.recordCount() ? rs.textAt(0, 0) : QString();
}

QStringList TempData::rows(const QString &sql) const
{
    Session c;
    c.setConnectionString(m_file);
    RowSet rs(c);
    rs.setStatement(sql);
    rs.open();
    QStringList texts;
    for (int row = 0; row < rs.recordCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < rs.columnCount(); ++column)
            cells << rs.textAt(row, column);
        texts << cells.join(QLatin1Char('|'));
    }
    return texts;
}

void DamagePage(const QString &path)
{
    constexpr int kPageSize = 1024;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    QByteArray noise(kPageSize, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(noise.data()), kPageSize / 4);
    file.seek(file.size() / kPageSize / 2 * kPageSize);
    file.write(noise);
}
