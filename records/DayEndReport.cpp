#include "records/DayEndReport.h"

#include "checkout/ReceiptLayoutParts.h"
#include "report/Report.h"
#include "report/ReportUnits.h"
#include "report/TableData.h"

#include <QMarginsF>

#include <cmath>

namespace {

const QString kFace = QStringLiteral("方正兰亭刊黑_GBK");
const QString kDashFace = QStringLiteral("Arial");
constexpr double kDashSize = 10;
// Paper margins, in millimetres, as on the receipts: left, top, right, bottom.
const QMarginsF kMargins(5, 10, 5, 10);
constexpr int kLineUnits = 18;
// Where the figure columns start, as parts of the band's width.
constexpr double kTicketsColumn = 0.40;
constexpr double kQuantityColumn = 0.55;
constexpr double kDiscountedColumn = 0.75;

const QString kName = QStringLiteral("品名");
const QString kQuantity = QStringLiteral("数量");
const QString kDiscounted = QStringLiteral("折后");

// Lays out the title band line by line.
class TitleLines
{
public:
    TitleLines(ReportBand &band, double widthMm, const QFont &font, const QString &dashes)
        : m_band(band)
        , m_widthMm(widthMm)
        , m_font(font)
        , m_dashes(dashes)
    { }

    void line(const QString &text, const QFont &font)
    {
        add(text, 0, font);
        ++m_lines;
    }
    void line(const QString &text) { line(text, m_font); }
    void dashes()
    {
        QFont dashFont(kDashFace);
        dashFont.setPointSizeF(kDashSize);
        line(m_dashes, dashFont);
    }
    // A row of columns: a name, then figures at the column starts given.
    void row(const QStringList &texts, const std::vector<double> &columns)
    {
        for (int i = 0; i < texts.size(); ++i)
            add(texts[i], i == 0 ? 0 : columns[size_t(i - 1)] * m_widthMm, m_font);
        ++m_lines;
    }

private:
    void add(const QString &text, double leftMm, const QFont &font)
    {
        m_band.addLabel(QStringLiteral("Line%1_%2").arg(m_lines).arg(m_items++), text, leftMm,
                        ReportUnits::ToMm(m_lines * kLineUnits), font);
    }

    ReportBand &m_band;
    double m_widthMm;
    QFont m_font;
    QString m_dashes;
    int m_lines = 0;
    int m_items = 0;
};

} // namespace

QString SumText(double value)
{
    QString text = QString::number(std::round(value * 100) / 100, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString DescribeSpan(const TicketFilter &filter, const DayEnd::Figures &figures)
{
    const QString dayFormat = QStringLiteral("yyyy-MM-dd");
    QString span;
    switch (filter.kind) {
    case TicketFilter::Kind::Between:
        return QStringLiteral("%1 至 %2").arg(filter.from.toString(dayFormat), filter.to.toString(dayFormat));
    case TicketFilter::Kind::Matching:
        if (!filter.number.isEmpty())
            span += QStringLiteral("单号含“%1” ").arg(filter.number);
        if (!filter.cashier.isEmpty())
            span += QStringLiteral("收银员含“%1” ").arg(filter.cashier);
        break;
    case TicketFilter::Kind::All:
        span = QStringLiteral("全部销售 ");
        break;
    }
    if (!figures.firstTime.isEmpty())
        span += QStringLiteral("%1 至 %2").arg(figures.firstTime, figures.lastTime);
    return span.trimmed();
}

std::unique_ptr<Report> BuildDayEndReport(const DayEnd::Figures &figures, const QString &span, const QDateTime &madeAt,
                                          const QString &paperWidth)
{
    const bool narrow = paperWidth == QStringLiteral("58");
    const double bandWidth = narrow ? ReceiptLayout::kBandWidth58 : ReceiptLayout::kBandWidth76;
    auto report = std::make_unique<Report>(QStringLiteral("日结报表"));
    report->setPaperWidthMm(narrow ? ReceiptLayout::kPaperWidth58 : ReceiptLayout::kPaperWidth76);
    report->setMarginsMm(kMargins);
    report->setBandWidthMm(bandWidth);

    QFont font(kFace);
    font.setPointSizeF(narrow ? ReceiptLayout::kTextSize58 : ReceiptLayout::kTextSize76);
    QFont heading = font;
    heading.setPointSizeF(font.pointSizeF() + 3);
    heading.setBold(true);

    // The heading, span, time, totals (two lines and the amount), the cashiers
    // under their caption, the products' caption, and three dash lines.
    const int titleLines = 3 + 3 + 1 + static_cast<int>(figures.cashiers.size()) + 1 + 3;
    const int titleUnits = titleLines * kLineUnits + kLineUnits / 2;
    ReportBand *title = report->addBand(ReportBand::Kind::Title, QStringLiteral("TitleBand"), titleUnits);
    TitleLines lines(*title, bandWidth, font,
                     QString::fromLatin1(narrow ? ReceiptLayout::kDashes58 : ReceiptLayout::kDashes76));
    lines.line(QStringLiteral("日结报表"), heading);
    lines.line(QStringLiteral("范围：%1").arg(span));
    lines.line(QStringLiteral("制表：%1").arg(madeAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))));
    lines.dashes();
    const std::vector<double> totalsColumns{kTicketsColumn, kQuantityColumn, kDiscountedColumn};
    lines.row({QString(), QStringLiteral("单数"), kQuantity, kDiscounted}, totalsColumns);
    lines.row({QStringLiteral("合计"), QString::number(figures.all.tickets), SumText(figures.all.quantity),
               SumText(figures.all.discounted)},
              totalsColumns);
    lines.line(QStringLiteral("金额：%1").arg(SumText(figures.all.amount)));
    lines.dashes();
    lines.line(QStringLiteral("收银员"));
    for (const DayEnd::CashierTotals &cashier : figures.cashiers)
        lines.row({cashier.cashier, QString::number(cashier.totals.tickets), SumText(cashier.totals.quantity),
                   SumText(cashier.totals.discounted)},
                  totalsColumns);
    lines.dashes();
    lines.row({kName, kQuantity, kDiscounted}, {kQuantityColumn, kDiscountedColumn});
    std::vector<QStringList> rows;
    for (const DayEnd::ProductSold &product : figures.products)
        rows.push_back({product.name, SumText(product.quantity), SumText(product.discounted)});
    const int productCount = static_cast<int>(rows.size());
    const ReportData &products = report->adoptData(
        std::make_unique<TableData>(QStringList{kName, kQuantity, kDiscounted}, std::move(rows)));
    report->setDetailData(&products);
    ReportBand *detail = report->addBand(ReportBand::Kind::Detail, QStringLiteral("DetailBand"), kLineUnits);
    detail->addField(QStringLiteral("ProductName"), products, kName, 0, 0, font);
    detail->addField(QStringLiteral("ProductQuantity"), products, kQuantity, kQuantityColumn * bandWidth, 0, font);
    detail->addField(QStringLiteral("ProductDiscounted"), products, kDiscounted, kDiscountedColumn * bandWidth, 0,
                     font);
    ReportBand *summary = report->addBand(ReportBand::Kind::Summary, QStringLiteral("SummaryBand"), kLineUnits);
    summary->addLabel(QStringLiteral("EndLine"), QStringLiteral("—— 日结完 ——"), 0, 0, font);

    const double marginsUnits = ReportUnits::ToUnits(kMargins.top() + kMargins.bottom());
    report->setHeightUnits(static_cast<int>(std::ceil(marginsUnits)) + titleUnits + productCount * kLineUnits
                           + kLineUnits);
    return report;
}
