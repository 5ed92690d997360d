#include "report/ReportOutput.h"

#include "data/AppError.h"
#include "report/PrintedReport.h"
#include "report/Report.h"
#include "report/ReportUnits.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
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

QPageSize CustomPageSize(const PrintedReport &printed)
{
    return QPageSize(printed.pageSizeMm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

void PaintPages(QPainter &painter, QPagedPaintDevice &device, const PrintedReport &printed, double dotsPerInch)
{
    for (int page = 0; page < printed.pageCount; ++page) {
        if (page > 0)
            device.newPage();
        PaintReportPage(painter, printed, page, dotsPerInch);
    }
}

} // namespace

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

void PrintReport(const Report &report)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        throw AppError(QStringLiteral("没有设置默认打印机，请先在系统中设置默认打印机"));

    const PrintedReport printed = report.run();
    QPrinter printer(defaultPrinter, QPrinter::HighResolution);
    printer.setDocName(report.objectName());
    printer.setFullPage(true);
    printer.setPageOrientation(QPageLayout::Portrait);
    if (!printer.setPageSize(CustomPageSize(printed)))
        throw AppError(QStringLiteral("打印机“%1”不接受 %2 × %3 毫米的纸张")
                           .arg(defaultPrinter.printerName())
                           .arg(printed.pageSizeMm.width(), 0, 'f', 2)
                           .arg(printed.pageSizeMm.height(), 0, 'f', 2));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("无法在打印机“%1”上开始打印").arg(defaultPrinter.printerName()));
    PaintPages(painter, printer, printed, printer.resolution());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw AppError(QStringLiteral("打印机“%1”打印失败").arg(defaultPrinter.printerName()));
}

void RenderReportToPdf(const Report &report, const QString &path)
{
    const PrintedReport printed = report.run();
    QPdfWriter writer(path);
    writer.setTitle(report.objectName());
    writer.setPageSize(CustomPageSize(printed));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&writer))
        throw AppError(QStringLiteral("无法写入文件“%1”").arg(path));
    PaintPages(painter, writer, printed, writer.resolution());
    if (!painter.end())
        throw AppError(QStringLiteral("无法写入文件“%1”").arg(path));
}
