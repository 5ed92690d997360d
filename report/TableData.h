#pragma once

#include "report/ReportData.h"

#include <QStringList>

#include <vector>

// Rows of texts held in memory, by field name: what a report reads when its
// data is a value rather than a cursor.
class TableData : public ReportData
{
public:
    TableData(const QStringList &fields, std::vector<QStringList> rows);

    int rowCount() const override;
    int currentRow() const override { return 0; }
    QString fieldText(int row, const QString &field) const override;

private:
    QStringList m_fields;
    std::vector<QStringList> m_rows;
};
