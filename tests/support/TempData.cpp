#include "tests/support/TempData.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"

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
