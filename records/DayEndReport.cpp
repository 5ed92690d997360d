#include "records/DayEndReport.h"

#include "base/Amount.h"

#include "receipts/ReceiptLayoutParts.h"
#include "records/SlipLayout.h"
#include "report/Report.h"
#include "report/ReportUnits.h"
#include "report/TableData.h"

namespace {

using SlipLayout::kLineUnits;
// Where the products' figures start, as parts of the band's width.
constexpr double kQuantityColumn = 0.50;
constexpr double kDiscountedColumn = 0.70;

const QString kName = QStringLiteral("品名");
const QString kQuantity = QStringLiteral("数量");
const QString kDiscounted = QStringLiteral("折后");

} // namespace

TicketFilter DayEndSpan(const TicketFilter &listed, const QDate &today)
{
    return listed.kind == TicketFilter::Kind::Between ? listed : TicketFilter::Between(today, today);
}

QString DayEndTitle(const TicketFilter &span)
{
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    if (span.from == span.to)
        return QStringLiteral("日结报表 %1").arg(span.from.toString(dayFormat));
    return QStringLiteral("销售报表 %1 至 %2").arg(span.from.toString(dayFormat), span.to.toString(dayFormat));
}

std::unique_ptr<Report> BuildDayEndReport(const DayEnd::Figures &figures, const TicketFilter &span,
                                          const QDateTime &madeAt, const QString &paperWidth)
{
    const bool narrow = paperWidth == QStringLiteral("58");
    auto report = SlipLayout::NewSlip(QStringLiteral("日结报表"), paperWidth);
    const double bandWidth = SlipLayout::PaperFor(paperWidth).bandWidthMm;
    const QFont font = SlipLayout::PaperFor(paperWidth).font;
    QFont heading = font;
    heading.setPointSizeF(font.pointSizeF() + 3);
    heading.setBold(true);
    const QFont dashFont = ReceiptLayout::DashFont();
    const QString dashes = QString::fromLatin1(narrow ? ReceiptLayout::kDashes58 : ReceiptLayout::kDashes76);

    // Figures go one or two to a line, so that large sums fit narrow paper.
    SlipLayout::TitleLines title(font);
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    title.line(DayEndTitle(span), heading);
    title.line(QStringLiteral("自 %1 00:00:00").arg(span.from.toString(dayFormat)));
    title.line(QStringLiteral("至 %1 23:59:59").arg(span.to.toString(dayFormat)));
    title.line(QStringLiteral("制表 %1").arg(madeAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    title.line(dashes, dashFont);
    title.line(QStringLiteral("销售：%1 单，折后 %2")
                   .arg(figures.sales.tickets)
                   .arg(Amount(figures.sales.discounted).displayText()));
    title.line(QStringLiteral("退货：%1 单，折后 %2")
                   .arg(figures.returns.tickets)
                   .arg(Amount(figures.returns.discounted).displayText()));
    title.line(QStringLiteral("净额："));
    title.line(QStringLiteral("单数：%1").arg(figures.all.tickets));
    title.line(QStringLiteral("数量：%1").arg(Amount(figures.all.quantity).displayText()));
    title.line(QStringLiteral("金额：%1").arg(Amount(figures.all.amount).displayText()));
    title.line(QStringLiteral("折后：%1").arg(Amount(figures.all.discounted).displayText()));
    title.line(dashes, dashFont);
    for (const MethodTotal &method : figures.methods)
        title.line(QStringLiteral("%1：%2").arg(method.method, method.amount.displayText()));
    title.line(QStringLiteral("删除：%1 单，%2 行，折后 %3")
                   .arg(figures.deleted.tickets)
                   .arg(figures.deleted.lines)
                   .arg(figures.deleted.discounted.displayText()));
    title.line(dashes, dashFont);
    for (const DayEnd::CashierTotals &cashier : figures.cashiers) {
        title.line(QStringLiteral("收银员 %1：%2 单，数量 %3")
                       .arg(cashier.cashier)
                       .arg(cashier.totals.tickets)
                       .arg(Amount(cashier.totals.quantity).displayText()));
        title.line(
            QStringLiteral("    金额 %1，折后 %2")
                .arg(Amount(cashier.totals.amount).displayText(), Amount(cashier.totals.discounted).displayText()));
    }
    title.line(dashes, dashFont);
    title.columns({kName, kQuantity, kDiscounted}, {0, kQuantityColumn, kDiscountedColumn});
    title.addTo(*report, bandWidth);

    std::vector<QStringList> rows;
    for (const DayEnd::ProductSold &product : figures.products)
        rows.push_back(
            {product.name, Amount(product.quantity).displayText(), Amount(product.discounted).displayText()});
    const ReportData &products = report->adoptData(
        std::make_unique<TableData>(QStringList{kName, kQuantity, kDiscounted}, std::move(rows)));
    report->setDetailData(&products);
    // The name on a row of its own, as on receipts: wrapped, it pushes its figures down.
    ReportBand *detail = report->addBand(ReportBand::Kind::Detail, QStringLiteral("DetailBand"), 2 * kLineUnits);
    const double figuresTop = ReportUnits::ToMm(kLineUnits);
    detail->addField(QStringLiteral("ProductName"), products, kName, 0, 0, font);
    detail->addField(QStringLiteral("ProductQuantity"), products, kQuantity, kQuantityColumn * bandWidth, figuresTop,
                     font);
    detail->addField(QStringLiteral("ProductDiscounted"), products, kDiscounted, kDiscountedColumn * bandWidth,
                     figuresTop, font);
    ReportBand *summary = report->addBand(ReportBand::Kind::Summary, QStringLiteral("SummaryBand"), kLineUnits);
    summary->addLabel(QStringLiteral("EndLine"), QStringLiteral("—— 日结完 ——"), 0, 0, font);

    SlipLayout::CutAfterContent(*report);
    return report;
}
