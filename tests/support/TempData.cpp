#include "tests/support/TempData.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"

#include <QFile>
#include <QRandomGenerator>

#include <vector>

TempData::TempData()
    : m_file(m_dir.filePath(QStringLiteral("data.mdb")))
{
    DataFile::SetPath(m_file);
    DataFile::EnsureUsable(m_file);
}

void TempData::exec(const QString &sql) const
{
    Session session;
    session.setConnectionString(m_file);
    session.exec(sql);
}

int TempData::count(const QString &table) const
{
    return scalar(QStringLiteral("select count(*) from ") + table).toInt();
}

namespace {

// Every row of a query on the file, as its columns' texts.
std::vector<QStringList> cellsOf(const QString &file, const QString &sql)
{
    Session session;
    session.setConnectionString(file);
    RowSet rs(session);
    rs.setStatement(sql);
    rs.open();
    std::vector<QStringList> rows(rs.recordCount());
    for (int row = 0; row < rs.recordCount(); ++row)
        for (int column = 0; column < rs.columnCount(); ++column)
            rows[row] << rs.textAt(row, column);
    return rows;
}

} // namespace

QString TempData::scalar(const QString &sql) const
{
    const std::vector<QStringList> rows = cellsOf(m_file, sql);
    return rows.empty() ? QString() : rows.front().front();
}

QStringList TempData::rows(const QString &sql) const
{
    QStringList texts;
    for (const QStringList &cells : cellsOf(m_file, sql))
        texts << cells.join(QLatin1Char('|'));
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
