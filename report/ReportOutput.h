#pragma once

#include <QString>

class QPainter;
class Report;
struct PrintedReport;

// Paints one page of a laid-out report. Geometry is scaled to dotsPerInch of
// the painter's device; font sizes are kept true to that scale.
void PaintReportPage(QPainter &painter, const PrintedReport &printed, int page, double dotsPerInch);

// Prints the report as one job on the system's default printer, without a
// dialog. Throws AppError when there is no default printer or the job fails.
void PrintReport(const Report &report);

// Writes the same pages to a PDF file; throws AppError when it cannot.
void RenderReportToPdf(const Report &report, const QString &path);
