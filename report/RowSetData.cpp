#include "report/RowSetData.h"

#include "data/AppError.h"
#include "data/RowSet.h"

RowSetData::RowSetData(const RowSet &rowSet)
    : m_rowSet(rowSet)
{
}

int RowSetData::rowCount() const
{
    return m_rowSet.isOpen() ? m_rowSet.recordCount() : 0;
}

int RowSetData::currentRow() const
{
    return m_rowSet.isOpen() ? m_rowSet.currentIndex() : -1;
}

QString RowSetData::fieldText(int row, const QString &field) const
{
    const int column = m_rowSet.columnIndex(field);
    if (column < 0)
        throw DataError(QStringLiteral("找不到字段“%1”").arg(field));
    return m_rowSet.textAt(row, column);
}
