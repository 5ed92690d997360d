#pragma once

#include "report/Report.h"
#include "report/ReportData.h"

#include <QStringList>

#include <memory>
#include <vector>

// A receipt-shaped report for the receipt printer's tests and benchmark: a
// title with the shop name, one detail band per ticket line, a summary with
// totals and a dashed rule, on paper of the given width.
class SampleReceipt
{
public:
    SampleReceipt(int lines, double paperWidthMm);

    const Report &report() const { return m_report; }

private:
    class Lines : public ReportData
    {
    public:
        explicit Lines(int count);
        int rowCount() const override;
        int currentRow() const override { return 0; }
        QString fieldText(int row, const QString &field) const override;

    private:
        std::vector<QStringList> m_rows;
    };

    Lines m_lines;
    Report m_report;
};
