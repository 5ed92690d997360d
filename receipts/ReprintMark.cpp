#include "receipts/ReprintMark.h"

#include "receipts/ReceiptLayoutParts.h"
#include "report/ReportUnits.h"

#include <algorithm>

ReceiptLayout::Report WithReprintMark(const ReceiptLayout::Report &report)
{
    using namespace ReceiptLayout;
    Report marked = report;
    marked.designHeightUnits += kReprintMarkUnits;
    const auto title = std::find_if(marked.bands.begin(), marked.bands.end(),
                                    [](const Band &band) { return band.kind == BandKind::Title; });
    if (title == marked.bands.end())
        return marked;
    std::vector<Item> &items = title->items;
    const auto shopName = std::find_if(items.begin(), items.end(), [](const Item &item) {
        return item.kind == ItemKind::Field && item.source == Source::Settings;
    });
    if (shopName == items.end())
        return marked;
    const double shopTop = shopName->topMm;
    const double markLeft = shopName->leftMm;
    // The mark takes the place of the line that followed the shop name.
    double markTop = -1;
    for (const Item &item : items)
        if (item.topMm > shopTop && (markTop < 0 || item.topMm < markTop))
            markTop = item.topMm;
    const double shiftMm = ReportUnits::ToMm(kReprintMarkUnits);
    for (Item &item : items)
        if (item.topMm > shopTop)
            item.topMm += shiftMm;
    title->heightUnits += kReprintMarkUnits;
    items.push_back(
        Filled("ReprintMark", Value::ReprintMark, "重打", markLeft, markTop < 0 ? shopTop + shiftMm : markTop));
    return marked;
}
