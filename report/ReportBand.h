#pragma once

#include "report/ReportItems.h"

#include <memory>
#include <vector>

// A horizontal strip of a report: the title prints once at the top, the detail
// once per row of the report's data, the summary once after the last detail.
class ReportBand
{
public:
    enum class Kind { Title, Detail, Summary };

    ReportBand(Report &report, Kind kind, const QString &name, int heightUnits);

    Kind kind() const { return m_kind; }
    QString name() const { return m_name; }
    int heightUnits() const { return m_heightUnits; }
    double heightMm() const;
    // How far the band reaches down, including boxes that hang below its bottom edge.
    double extentMm() const;

    ReportLabel *addLabel(const QString &name, const QString &caption, double leftMm, double topMm, const QFont &font);
    ReportField *addField(const QString &name, const ReportData &source, const QString &fieldName, double leftMm,
                          double topMm, const QFont &font);
    ReportRichText *addRichText(const QString &name, double leftMm, double topMm, double widthMm, int heightUnits,
                                const QFont &font);

    const std::vector<std::unique_ptr<ReportItem>> &items() const { return m_items; }

private:
    template <typename T>
    T *add(std::unique_ptr<T> item);

    Report &m_report;
    Kind m_kind;
    QString m_name;
    int m_heightUnits;
    std::vector<std::unique_ptr<ReportItem>> m_items;
};
