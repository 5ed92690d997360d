#include "printers/PrinterTestPage.h"

#include "report/Report.h"
#include "report/ReportUnits.h"

#include <QFont>
#include <QMarginsF>

namespace {

constexpr double kDotsPerMm = 8;
constexpr double kTickStepMm = 5;
// A mark's own width, so that the last one stays on the paper.
constexpr double kTickWidthMm = 0.6;
constexpr double kLineMm = 7;
constexpr double kRulerTopMm = 2 * kLineMm;

QFont TextFont(double pointSize, bool bold = false)
{
    QFont font(QStringLiteral("方正兰亭刊黑_GBK"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace

std::unique_ptr<Report> BuildPrinterTestPage(const QString &shopName, int dots)
{
    const double widthMm = dots / kDotsPerMm;
    auto page = std::make_unique<Report>(QStringLiteral("打印测试页"));
    page->setPaperWidthMm(widthMm);
    page->setMarginsMm(QMarginsF(0, 0, 0, 0));
    page->setBandWidthMm(widthMm);
    // Room below the last line for a shop name or a text that wraps once.
    const double heightMm = kRulerTopMm + 4 * kLineMm;
    const int heightUnits = int(ReportUnits::ToUnits(heightMm)) + 1;
    page->setHeightUnits(heightUnits);

    ReportBand *band = page->addBand(ReportBand::Kind::Title, QStringLiteral("testPage"), heightUnits);
    band->addLabel(QStringLiteral("shopName"), shopName, 0, 0, TextFont(12, true));
    band->addLabel(QStringLiteral("width"),
                   QStringLiteral("打印宽度：%1 点（%2 毫米）").arg(dots).arg(widthMm, 0, 'f', 1), 0, kLineMm,
                   TextFont(9));
    int tick = 0;
    for (double leftMm = 0; leftMm < widthMm - kTickWidthMm; leftMm += kTickStepMm, ++tick) {
        band->addLabel(QStringLiteral("tick%1").arg(tick), QStringLiteral("|"), leftMm, kRulerTopMm, TextFont(9));
        if (tick % 2 == 0)
            band->addLabel(QStringLiteral("mm%1").arg(tick), QString::number(int(leftMm)), leftMm,
                           kRulerTopMm + kLineMm * 0.6, TextFont(6));
    }
    band->addLabel(QStringLiteral("rightEdge"), QStringLiteral("|"), widthMm - kTickWidthMm, kRulerTopMm, TextFont(9));
    band->addLabel(QStringLiteral("chinese"), QStringLiteral("中文测试：谢谢惠顾，欢迎光临"), 0,
                   kRulerTopMm + 2 * kLineMm, TextFont(9));
    return page;
}
