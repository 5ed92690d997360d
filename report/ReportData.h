#pragma once

#include <QString>

// The rows a report reads: the detail band runs once per row, and data-bound
// fields take their text from a row by field name.
class ReportData
{
public:
    virtual ~ReportData() = default;
    virtual int rowCount() const = 0;
    // The row a field outside the detail band shows (a cursor's current row).
    virtual int currentRow() const = 0;
    // The text of a field of a row; throws AppError for an unknown field.
    virtual QString fieldText(int row, const QString &field) const = 0;
};
