#pragma once

#include "report/ReportData.h"

class RowSet;

// Feeds a report from a row set: all of its rows, by column name. A closed row
// set reads as empty.
class RowSetData : public ReportData
{
public:
    explicit RowSetData(const RowSet &rowSet);

    int rowCount() const override;
    int currentRow() const override;
    QString fieldText(int row, const QString &field) const override;

private:
    const RowSet &m_rowSet;
};
