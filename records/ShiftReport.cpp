#include "records/ShiftReport.h"

#include "receipts/ReceiptLayoutParts.h"
#include "report/Report.h"
#include "report/ReportUnits.h"

#include <cmath>

namespace {
constexpr int kLineUnits = 18;
}

QStringList ShiftReportLines(const Shift::Report &shift)
{
    QStringList lines{QStringLiteral("交班报表 第 %1 班").arg(shift.number),
                      QStringLiteral("收银员：%1").arg(shift.cashier),
                      QStringLiteral("开始：%1").arg(shift.start),
                      QStringLiteral("结束：%1").arg(shift.end),
                      QStringLiteral("单数：%1").arg(shift.tickets),
                      QStringLiteral("销售：%1").arg(shift.sales.figureText()),
                      QStringLiteral("退货：%1").arg(shift.returns.figureText()),
                      QStringLiteral("净额：%1").arg(shift.net.figureText())};
    for (const MethodTotal &method : shift.methods)
        lines << QStringLiteral("%1：%2").arg(method.method, method.amount.figureText());
    const Amount difference = shift.difference();
    const QString name = Shift::DifferenceName(difference);
    lines << QStringLiteral("备用金：%1").arg(shift.openingFloat.figureText())
          << QStringLiteral("现金应有：%1").arg(shift.expectedCash().figureText())
          << QStringLiteral("现金实点：%1").arg(shift.counted.figureText())
          << QStringLiteral("差额：%1%2")
                 .arg(difference.cents().figureText(), name.isEmpty() ? QString() : QStringLiteral("（%1）").arg(name));
    return lines;
}

std::unique_ptr<Report> BuildShiftReport(const QStringList &lines, const QString &paperWidth)
{
    const bool narrow = paperWidth == QStringLiteral("58");
    auto report = std::make_unique<Report>(QStringLiteral("交班报表"));
    report->setPaperWidthMm(narrow ? ReceiptLayout::kPaperWidth58 : ReceiptLayout::kPaperWidth76);
    report->setMarginsMm(ReceiptLayout::kPaperMargins);
    report->setBandWidthMm(narrow ? ReceiptLayout::kBandWidth58 : ReceiptLayout::kBandWidth76);
    const QFont font = ReceiptLayout::TextFont(narrow ? ReceiptLayout::kTextSize58 : ReceiptLayout::kTextSize76);
    const int heightUnits = int(lines.size()) * kLineUnits + kLineUnits / 2;
    ReportBand *band = report->addBand(ReportBand::Kind::Title, QStringLiteral("TitleBand"), heightUnits);
    for (int row = 0; row < lines.size(); ++row)
        band->addLabel(QStringLiteral("Line%1").arg(row), lines[row], 0, ReportUnits::ToMm(double(row) * kLineUnits),
                       font);
    const double marginsUnits = ReportUnits::ToUnits(ReceiptLayout::kPaperMargins.top()
                                                     + ReceiptLayout::kPaperMargins.bottom());
    report->setHeightUnits(static_cast<int>(std::ceil(marginsUnits)) + heightUnits);
    return report;
}
