#pragma once

#include "data/AppError.h"
#include "report/ReportData.h"

#include <QStringList>

#include <vector>

// Rows held in memory, for feeding reports in tests.
class TableData : public ReportData
{
public:
    TableData(const QStringList &fields, std::vector<QStringList> rows)
        : m_fields(fields)
        , m_rows(std::move(rows))
    {
    }

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    int currentRow() const override { return m_current; }
    QString fieldText(int row, const QString &field) const override
    {
        const int column = m_fields.indexOf(field);
        if (column < 0)
            throw AppError(QStringLiteral("no field ") + field);
        return m_rows.at(row).at(column);
    }

    void setCurrentRow(int row) { m_current = row; }

private:
    QStringList m_fields;
    std::vector<QStringList> m_rows;
    int m_current = 0;
};
