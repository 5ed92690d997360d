#include "report/PrintedReport.h"

std::vector<PlacedItem> PrintedReport::placementsOf(const QString &name) const
{
    std::vector<PlacedItem> found;
    for (const auto &item : items) {
        if (item.name == name)
            found.push_back(item);
    }
    return found;
}
