#include "report/ReportBand.h"

#include "report/ReportUnits.h"

#include <algorithm>

ReportBand::ReportBand(Report &report, Kind kind, const QString &name, int heightUnits)
    : m_report(report)
    , m_kind(kind)
    , m_name(name)
    , m_heightUnits(heightUnits)
{ }

double ReportBand::heightMm() const
{
    return ReportUnits::ToMm(m_heightUnits);
}

double ReportBand::extentMm() const
{
    double extent = heightMm();
    for (const auto &item : m_items) {
        if (item->kind() == ReportItem::Kind::RichText) {
            const auto *box = static_cast<const ReportRichText *>(item.get());
            extent = std::max(extent, box->topMm() + box->heightMm());
        }
    }
    return extent;
}

template <typename T>
T *ReportBand::add(std::unique_ptr<T> item)
{
    T *added = item.get();
    m_items.push_back(std::move(item));
    return added;
}

ReportLabel *ReportBand::addLabel(const QString &name, const QString &caption, double leftMm, double topMm,
                                  const QFont &font)
{
    return add(std::make_unique<ReportLabel>(m_report, name, caption, leftMm, topMm, font));
}

ReportField *ReportBand::addField(const QString &name, const ReportData &source, const QString &fieldName,
                                  double leftMm, double topMm, const QFont &font)
{
    return add(std::make_unique<ReportField>(m_report, name, source, fieldName, leftMm, topMm, font));
}

ReportRichText *ReportBand::addRichText(const QString &name, double leftMm, double topMm, double widthMm,
                                        int heightUnits, const QFont &font)
{
    return add(std::make_unique<ReportRichText>(m_report, name, leftMm, topMm, widthMm, heightUnits, font));
}
