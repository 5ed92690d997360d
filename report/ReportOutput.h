#pragma once

#include <QImage>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class Report;
struct PrintedReport;

// Paints one page of a laid-out report. Geometry is scaled to dotsPerInch of
// the painter's device; font sizes are kept true to that scale.
void PaintReportPage(QPainter &painter, const PrintedReport &printed, int page, double dotsPerInch);

// Paints every page on a paged device whose painter has begun, starting a new
// device page for each report page after the first.
void PaintReportPages(QPainter &painter, QPagedPaintDevice &device, const PrintedReport &printed, double dotsPerInch);

// Writes the pages of a print pass to a PDF file; throws AppError when it cannot.
void RenderReportToPdf(const Report &report, const QString &path);

// One page of a print pass as a white image at dotsPerInch, for raster printers.
QImage RenderReportPage(const PrintedReport &printed, int page, double dotsPerInch);
