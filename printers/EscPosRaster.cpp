#include "printers/EscPosRaster.h"

#include "report/PrintedReport.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportUnits.h"

#include <QPainter>

#include <cmath>

namespace {

constexpr int kMidGrey = 128;

} // namespace

QImage RenderReceiptRaster(const Report &receipt, int dots)
{
    const PrintedReport printed = receipt.run();
    const int width = dots / 8 * 8;
    const double dotsPerInch = width * ReportUnits::kMmPerInch / printed.pageSizeMm.width();
    const int pageHeight = int(std::ceil(printed.pageSizeMm.height() * dotsPerInch / ReportUnits::kMmPerInch));

    QImage canvas(width, pageHeight * printed.pageCount, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    for (int page = 0; page < printed.pageCount; ++page) {
        painter.save();
        painter.translate(0, page * pageHeight);
        PaintReportPage(painter, printed, page, dotsPerInch);
        painter.restore();
    }
    painter.end();
    return ThresholdToMono(canvas);
}

QImage ThresholdToMono(const QImage &image)
{
    // Qt's own conversion to grey is several times slower than this.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QImage mono(rgb.size(), QImage::Format_Mono);
    mono.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    mono.fill(0);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *out = mono.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x)
            if (qGray(in[x]) < kMidGrey)
                out[x >> 3] |= uchar(0x80 >> (x & 7));
    }
    return mono;
}
