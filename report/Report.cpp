#include "report/Report.h"

#include "report/ReportUnits.h"
#include "report/TextFlow.h"

#include <algorithm>

namespace {

// Tolerance for comparing lengths in millimetres.
constexpr double kEpsilonMm = 1e-6;

QString RichTextContent(const ReportRichText &box)
{
    return box.lines().join(QLatin1Char('\n'));
}

// Items whose tops lie closer than this stand on one row of their band.
constexpr double kSameRowMm = 1.5;

// A text that wraps pushes the items below it in its band down by the rows it
// added; returns how much taller the band becomes. Items hold their tops
// relative to the band.
double MakeRoomForWrappedTexts(std::vector<PlacedItem> &items)
{
    std::vector<PlacedItem *> byTop;
    for (PlacedItem &item : items)
        byTop.push_back(&item);
    std::stable_sort(byTop.begin(), byTop.end(),
                     [](const PlacedItem *a, const PlacedItem *b) { return a->topMm < b->topMm; });
    struct Pushed
    {
        double designTopMm;
        double reachMm; // how far it pushes what lies below it
    };
    std::vector<Pushed> above;
    double grown = 0;
    for (PlacedItem *item : byTop) {
        const double designTop = item->topMm;
        double shift = 0;
        for (const Pushed &other : above) {
            if (other.designTopMm + kSameRowMm <= designTop)
                shift = std::max(shift, other.reachMm);
        }
        // A box of fixed height clips its lines rather than grow.
        const double growth = item->kind == ReportItem::Kind::RichText
            ? 0
            : TextFlow::GrowthMm(item->text, item->font, item->widthMm);
        item->topMm += shift;
        above.push_back({designTop, shift + growth});
        grown = std::max(grown, shift + growth);
    }
    return grown;
}

// Stacks bands down the pages of a report, recording where each item lands.
class BandStacker
{
public:
    BandStacker(const Report &report, PrintedReport &out, bool breakPages)
        : m_report(report)
        , m_out(out)
        , m_breakPages(breakPages)
        , m_top(report.marginsMm().top())
        , m_bottom(report.pageLengthMm() - report.marginsMm().bottom())
        , m_y(m_top)
    { }

    // textOf gives each item's text as it shows in this placement.
    template <typename TextOf>
    void place(const ReportBand &band, TextOf textOf)
    {
        const double left = m_report.marginsMm().left();
        std::vector<PlacedItem> placed;
        for (const auto &item : band.items()) {
            PlacedItem one;
            one.name = item->name();
            one.kind = item->kind();
            one.leftMm = left + item->leftMm();
            one.topMm = item->topMm();
            one.widthMm = m_report.bandWidthMm() - item->leftMm();
            one.font = item->font();
            if (item->kind() == ReportItem::Kind::RichText) {
                const auto &box = static_cast<const ReportRichText &>(*item);
                one.widthMm = box.widthMm();
                one.heightMm = box.heightMm();
                one.linePitchMm = ReportUnits::ToMm(box.linePitchUnits());
            }
            one.text = textOf(*item);
            placed.push_back(std::move(one));
        }
        const double grown = MakeRoomForWrappedTexts(placed);

        // A band that does not fit the rest of the page starts a new one,
        // unless it already stands at the top of a page.
        if (m_breakPages && m_y + band.extentMm() + grown > m_bottom + kEpsilonMm && m_y > m_top + kEpsilonMm) {
            ++m_page;
            m_y = m_top;
        }
        m_out.pageCount = m_page + 1;
        m_out.bands.push_back({m_page, band.name(), m_y, band.heightMm() + grown});
        for (PlacedItem &one : placed) {
            one.page = m_page;
            one.topMm += m_y;
            m_out.items.push_back(std::move(one));
        }
        m_y += band.heightMm() + grown;
        m_out.grownMm += grown;
    }

private:
    const Report &m_report;
    PrintedReport &m_out;
    bool m_breakPages;
    double m_top;
    double m_bottom;
    double m_y;
    int m_page = 0;
};

} // namespace

Report::Report(const QString &name, QObject *parent)
    : QObject(parent)
{
    setObjectName(name);
}

Report::~Report() = default;

void Report::setPaperWidthMm(double widthMm)
{
    m_paperWidthMm = widthMm;
    notifyChanged();
}

void Report::setMarginsMm(const QMarginsF &margins)
{
    m_margins = margins;
    notifyChanged();
}

void Report::setBandWidthMm(double widthMm)
{
    m_bandWidthMm = widthMm;
    notifyChanged();
}

void Report::setHeightUnits(int units)
{
    m_heightUnits = units;
    notifyChanged();
}

double Report::pageLengthMm() const
{
    return ReportUnits::ToMm(m_heightUnits);
}

ReportBand *Report::addBand(ReportBand::Kind kind, const QString &name, int heightUnits)
{
    m_bands.push_back(std::make_unique<ReportBand>(*this, kind, name, heightUnits));
    return m_bands.back().get();
}

const ReportData &Report::adoptData(std::unique_ptr<const ReportData> data)
{
    m_ownedData.push_back(std::move(data));
    return *m_ownedData.back();
}

std::vector<const ReportBand *> Report::bandsInPrintOrder() const
{
    std::vector<const ReportBand *> ordered;
    for (const auto &band : m_bands)
        ordered.push_back(band.get());
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const ReportBand *a, const ReportBand *b) { return a->kind() < b->kind(); });
    return ordered;
}

PrintedReport Report::run() const
{
    PrintedReport out;
    out.pageSizeMm = QSizeF(m_paperWidthMm, pageLengthMm());
    BandStacker stacker(*this, out, true);
    for (const ReportBand *band : bandsInPrintOrder()) {
        const bool detail = band->kind() == ReportBand::Kind::Detail;
        const int rows = detail ? (m_detailData ? m_detailData->rowCount() : 0) : 1;
        for (int row = 0; row < rows; ++row) {
            stacker.place(*band, [&](const ReportItem &item) -> QString {
                switch (item.kind()) {
                case ReportItem::Kind::Label:
                    return static_cast<const ReportLabel &>(item).caption();
                case ReportItem::Kind::Field: {
                    const auto &field = static_cast<const ReportField &>(item);
                    const bool rowOfDetail = detail && &field.source() == m_detailData;
                    return field.printedText(rowOfDetail ? row : field.source().currentRow());
                }
                case ReportItem::Kind::RichText:
                    return RichTextContent(static_cast<const ReportRichText &>(item));
                }
                return {};
            });
        }
    }
    return out;
}

PrintedReport Report::design() const
{
    PrintedReport out;
    out.pageSizeMm = QSizeF(m_paperWidthMm, pageLengthMm());
    BandStacker stacker(*this, out, false);
    for (const ReportBand *band : bandsInPrintOrder()) {
        stacker.place(*band, [](const ReportItem &item) -> QString {
            switch (item.kind()) {
            case ReportItem::Kind::Label:
                return static_cast<const ReportLabel &>(item).caption();
            case ReportItem::Kind::Field:
                return static_cast<const ReportField &>(item).fieldName();
            case ReportItem::Kind::RichText:
                return RichTextContent(static_cast<const ReportRichText &>(item));
            }
            return {};
        });
    }
    return out;
}

void Report::notifyChanged()
{
    emit changed();
}
