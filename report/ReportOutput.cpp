#include "report/ReportOutput.h"
#include "report/ReportPageSize.h"

#include "base/AppError.h"
#include "report/PrintedReport.h"
#include "report/Report.h"
#include "report/ReportUnits.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <limits>

namespace {

// Point sizes follow the device's logical resolution; scale them so that text
// keeps its size against geometry drawn at dotsPerInch.
QFont FontForScale(QFont font, const QPaintDevice &device, double dotsPerInch)
{
    const double deviceDpi = device.logicalDpiY();
    if (deviceDpi > 0 && font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * dotsPerInch / deviceDpi);
    return font;
}

void PaintItem(QPainter &painter, const PlacedItem &item, double dotsPerMm, double dotsPerInch)
{
    QString text = item.text;
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, FontForScale(item.font, *painter.device(), dotsPerInch), painter.device());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);

    const double width = item.widthMm * dotsPerMm;
    const double pitch = item.linePitchMm * dotsPerMm;
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += pitch > 0 ? pitch : line.height();
    }
    layout.endLayout();

    // A box of fixed height shows the lines that start inside it.
    const double limit = item.heightMm < 0 ? std::numeric_limits<double>::infinity() : item.heightMm * dotsPerMm;
    const QPointF origin(item.leftMm * dotsPerMm, item.topMm * dotsPerMm);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        if (line.y() >= limit - 1e-6)
            break;
        line.draw(&painter, origin);
    }
}

} // namespace

QPageSize ReportPageSize(const PrintedReport &printed)
{
    return QPageSize(printed.pageSizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

void PaintReportPages(QPainter &painter, QPagedPaintDevice &device, const PrintedReport &printed, double dotsPerInch)
{
    for (int page = 0; page < printed.pageCount; ++page) {
        if (page > 0)
            device.newPage();
        PaintReportPage(painter, printed, page, dotsPerInch);
    }
}

void PaintReportPage(QPainter &painter, const PrintedReport &printed, int page, double dotsPerInch)
{
    const double dotsPerMm = dotsPerInch / ReportUnits::kMmPerInch;
    painter.save();
    painter.setPen(Qt::black);
    for (const auto &item : printed.items) {
        if (item.page == page)
            PaintItem(painter, item, dotsPerMm, dotsPerInch);
    }
    painter.restore();
}

void RenderReportToPdf(const Report &report, const QString &path)
{
    const PrintedReport printed = report.run();
    QPdfWriter writer(path);
    writer.setTitle(report.objectName());
    writer.setPageSize(ReportPageSize(printed));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&writer))
        throw AppError(QStringLiteral("无法写入文件“%1”").arg(path));
    PaintReportPages(painter, writer, printed, writer.resolution());
    if (!painter.end())
        throw AppError(QStringLiteral("无法写入文件“%1”").arg(path));
}

QImage RenderReportPage(const PrintedReport &printed, int page, double dotsPerInch)
{
    const double dotsPerMm = dotsPerInch / ReportUnits::kMmPerInch;
    QImage image(qRound(printed.pageSizeMm.width() * dotsPerMm), qRound(printed.pageSizeMm.height() * dotsPerMm),
                 QImage::Format_RGB32);
    const int dotsPerMetre = qRound(dotsPerMm * 1000);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    PaintReportPage(painter, printed, page, dotsPerInch);
    return image;
}
