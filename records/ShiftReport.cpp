#include "records/ShiftReport.h"

#include "records/SlipLayout.h"
#include "report/Report.h"

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
    auto report = SlipLayout::NewSlip(QStringLiteral("交班报表"), paperWidth);
    const SlipLayout::Paper paper = SlipLayout::PaperFor(paperWidth);
    SlipLayout::TitleLines title(paper.font);
    for (const QString &line : lines)
        title.line(line);
    title.addTo(*report, paper.bandWidthMm);
    SlipLayout::CutAfterContent(*report);
    return report;
}
