#include "receipts/AddedLines.h"

#include "receipts/ReceiptLayoutParts.h"
#include "report/ReportUnits.h"

#include <algorithm>

namespace ReceiptLayout {

namespace {

// Makes room for `count` lines under the item at `anchorTop`: everything below
// it moves down and the band grows. Returns where the first new line goes: in
// the place of the line that followed the anchor.
double InsertLines(Report &report, Band &band, double anchorTop, int count)
{
    const double pitchMm = ReportUnits::ToMm(kAddedLineUnits);
    double firstTop = -1;
    for (const Item &item : band.items)
        if (item.topMm > anchorTop && (firstTop < 0 || item.topMm < firstTop))
            firstTop = item.topMm;
    for (Item &item : band.items)
        if (item.topMm > anchorTop)
            item.topMm += pitchMm * count;
    band.heightUnits += kAddedLineUnits * count;
    report.designHeightUnits += kAddedLineUnits * count;
    return firstTop < 0 ? anchorTop + pitchMm : firstTop;
}

// The band of a kind and the item in it that matches; none when there is none.
template <typename Matches>
std::pair<Band *, const Item *> Find(Report &report, BandKind kind, Matches matches)
{
    for (Band &band : report.bands) {
        if (band.kind != kind)
            continue;
        const auto item = std::find_if(band.items.begin(), band.items.end(), matches);
        if (item != band.items.end())
            return {&band, &*item};
    }
    return {nullptr, nullptr};
}

} // namespace

Report WithTitleMark(const Report &report, Value mark, const char *name, const char *placeholder)
{
    Report marked = report;
    const auto [title, shopName] = Find(marked, BandKind::Title, [](const Item &item) {
        return item.kind == ItemKind::Field && item.source == Source::Settings;
    });
    if (!title)
        return marked;
    const double left = shopName->leftMm;
    const double top = InsertLines(marked, *title, shopName->topMm, 1);
    title->items.push_back(Filled(name, mark, placeholder, left, top));
    return marked;
}

Report WithPaymentLines(const Report &report, int count)
{
    Report lined = report;
    const auto [summary, paid] = Find(lined, BandKind::Summary,
                                      [](const Item &item) { return item.value == Value::Paid; });
    if (!summary || count <= 0)
        return lined;
    const double left = paid->leftMm;
    const double pitchMm = ReportUnits::ToMm(kAddedLineUnits);
    const double top = InsertLines(lined, *summary, paid->topMm, count);
    for (int part = 0; part < count; ++part) {
        Item line = Filled("PaymentLine", Value::PaymentPart, "", left, top + pitchMm * part);
        line.part = part;
        summary->items.push_back(line);
    }
    return lined;
}

} // namespace ReceiptLayout
