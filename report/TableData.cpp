#include "report/TableData.h"

#include "base/AppError.h"

TableData::TableData(const QStringList &fields, std::vector<QStringList> rows)
    : m_fields(fields)
    , m_rows(std::move(rows))
{ }

int TableData::rowCount() const
{
    return static_cast<int>(m_rows.size());
}

QString TableData::fieldText(int row, const QString &field) const
{
    const int column = m_fields.indexOf(field);
    if (column < 0)
        throw AppError(QStringLiteral("报表数据中没有字段 %1").arg(field));
    return m_rows.at(row).value(column);
}
