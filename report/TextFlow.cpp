#include "report/TextFlow.h"

#include "report/ReportUnits.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

namespace {

// Measuring at a printer's resolution keeps hinting out of the widths.
constexpr double kDotsPerInch = 1200;
constexpr double kDotsPerMm = kDotsPerInch / ReportUnits::kMmPerInch;

const QPaintDevice &MeasuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = qRound(kDotsPerMm * 1000);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

} // namespace

namespace TextFlow {

double WidthMm(const QString &text, const QFont &font)
{
    // The device is only read; Qt's metrics take a non-const pointer.
    auto *device = const_cast<QPaintDevice *>(&MeasuringDevice());
    return QFontMetricsF(font, device).horizontalAdvance(text) / kDotsPerMm;
}

double GrowthMm(const QString &text, const QFont &font, double widthMm)
{
    if (text.isEmpty() || (!text.contains(QLatin1Char('\n')) && WidthMm(text, font) <= widthMm))
        return 0;
    QString flowing = text;
    flowing.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(flowing, font, const_cast<QPaintDevice *>(&MeasuringDevice()));
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    double height = 0;
    double firstLine = -1;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthMm * kDotsPerMm);
        if (firstLine < 0)
            firstLine = line.height();
        height += line.height();
    }
    layout.endLayout();
    return firstLine < 0 ? 0 : (height - firstLine) / kDotsPerMm;
}

} // namespace TextFlow
