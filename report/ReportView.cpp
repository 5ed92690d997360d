#include "report/ReportView.h"

#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportUnits.h"

#include <QPainter>

#include <cmath>

ReportView::ReportView(const Report &report, QWidget *parent, Shows shows)
    : QWidget(parent)
    , m_report(report)
    , m_shows(shows)
{
    setObjectName(report.objectName());
    connect(&report, &Report::changed, this, &ReportView::followReport);
    followReport();
}

QSize ReportView::sizeHint() const
{
    return QSize(static_cast<int>(std::lround(ReportUnits::ToUnits(m_report.paperWidthMm()))), m_report.heightUnits());
}

void ReportView::followReport()
{
    resize(sizeHint());
    update();
}

void ReportView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const PrintedReport layout = m_shows == Shows::Design ? m_report.design() : m_report.run();

    // Faint band edges help to read the layout; they never print.
    const double pixelsPerMm = ReportUnits::kUnitsPerInch / ReportUnits::kMmPerInch;
    painter.setPen(QPen(QColor(200, 200, 200), 0, Qt::DotLine));
    for (const auto &band : layout.bands) {
        const double bottom = (band.topMm + band.heightMm) * pixelsPerMm;
        painter.drawLine(QPointF(0, bottom), QPointF(width(), bottom));
    }
    PaintReportPage(painter, layout, 0, ReportUnits::kUnitsPerInch);
}
