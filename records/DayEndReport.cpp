#include "records/DayEndReport.h"

#include "base/Amount.h"

#include "receipts/ReceiptLayoutParts.h"
#include "report/Report.h"
#include "report/ReportUnits.h"
#include "report/TableData.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kLineUnits = 18;
// Where the products' figures start, as parts of the band's width.
constexpr double kQuantityColumn = 0.50;
constexpr double kDiscountedColumn = 0.70;

const QString kName = QStringLiteral("品名");
const QString kQuantity = QStringLiteral("数量");
const QString kDiscounted = QStringLiteral("折后");

// The title band's lines, gathered first: the band's height follows their number.
class TitleLines
{
public:
    explicit TitleLines(const QFont &font)
        : m_font(font)
    { }

    void line(const QString &text, const QFont &font) { m_lines.push_back({{text}, {0}, font}); }
    void line(const QString &text) { line(text, m_font); }
    // Texts starting at the given parts of the band's width.
    void columns(const QStringList &texts, const std::vector<double> &starts)
    {
        m_lines.push_back({texts, starts, m_font});
    }

    int heightUnits() const { return int(m_lines.size()) * kLineUnits + kLineUnits / 2; }

    void addTo(Report &report, double bandWidthMm) const
    {
        ReportBand *band = report.addBand(ReportBand::Kind::Title, QStringLiteral("TitleBand"), heightUnits());
        for (size_t row = 0; row < m_lines.size(); ++row) {
            const Line &line = m_lines[row];
            for (int i = 0; i < line.texts.size(); ++i)
                band->addLabel(QStringLiteral("Line%1_%2").arg(row).arg(i), line.texts[i],
                               line.starts[size_t(i)] * bandWidthMm, ReportUnits::ToMm(double(row) * kLineUnits),
                               line.font);
        }
    }

private:
    struct Line
    {
        QStringList texts;
        std::vector<double> starts;
        QFont font;
    };
    QFont m_font;
    std::vector<Line> m_lines;
};

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
    const double bandWidth = narrow ? ReceiptLayout::kBandWidth58 : ReceiptLayout::kBandWidth76;
    auto report = std::make_unique<Report>(QStringLiteral("日结报表"));
    report->setPaperWidthMm(narrow ? ReceiptLayout::kPaperWidth58 : ReceiptLayout::kPaperWidth76);
    report->setMarginsMm(ReceiptLayout::kPaperMargins);
    report->setBandWidthMm(bandWidth);

    const QFont font = ReceiptLayout::TextFont(narrow ? ReceiptLayout::kTextSize58 : ReceiptLayout::kTextSize76);
    QFont heading = font;
    heading.setPointSizeF(font.pointSizeF() + 3);
    heading.setBold(true);
    const QFont dashFont = ReceiptLayout::DashFont();
    const QString dashes = QString::fromLatin1(narrow ? ReceiptLayout::kDashes58 : ReceiptLayout::kDashes76);

    // Figures go one or two to a line, so that large sums fit narrow paper.
    TitleLines title(font);
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

    // Laid out on paper long enough for anything, then cut after the last band.
    report->setHeightUnits(std::numeric_limits<int>::max() / 2);
    double contentMm = 0;
    for (const PlacedBand &band : report->run().bands)
        contentMm = std::max(contentMm, band.topMm + band.heightMm);
    report->setHeightUnits(
        static_cast<int>(std::ceil(ReportUnits::ToUnits(contentMm + ReceiptLayout::kPaperMargins.bottom()))));
    return report;
}
