#pragma once

#include "report/Report.h"

#include <memory>

// A real receipt for the receipt printer's tests and benchmark: the renderer's
// one-part receipt of a sample ticket with the given number of lines, on 58 mm
// or 76 mm paper.
class SampleReceipt
{
public:
    SampleReceipt(int lines, double paperWidthMm);

    const Report &report() const { return *m_report; }

private:
    std::unique_ptr<Report> m_report;
};
