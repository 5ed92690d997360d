#include "report/ReportItems.h"

#include "report/Report.h"
#include "report/ReportData.h"
#include "report/ReportUnits.h"

ReportItem::ReportItem(Report &report, Kind kind, const QString &name, double leftMm, double topMm, const QFont &font)
    : m_report(report)
    , m_kind(kind)
    , m_name(name)
    , m_leftMm(leftMm)
    , m_topMm(topMm)
    , m_font(font)
{ }

void ReportItem::changed()
{
    m_report.notifyChanged();
}

ReportLabel::ReportLabel(Report &report, const QString &name, const QString &caption, double leftMm, double topMm,
                         const QFont &font)
    : ReportItem(report, Kind::Label, name, leftMm, topMm, font)
    , m_caption(caption)
{ }

void ReportLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    changed();
}

ReportField::ReportField(Report &report, const QString &name, const ReportData &source, const QString &fieldName,
                         double leftMm, double topMm, const QFont &font)
    : ReportItem(report, Kind::Field, name, leftMm, topMm, font)
    , m_source(source)
    , m_fieldName(fieldName)
{ }

QString ReportField::printedText(int row) const
{
    QString text;
    if (row >= 0 && row < m_source.rowCount())
        text = m_source.fieldText(row, m_fieldName);
    if (m_hook)
        m_hook(text);
    return text;
}

ReportRichText::ReportRichText(Report &report, const QString &name, double leftMm, double topMm, double widthMm,
                               int heightUnits, const QFont &font)
    : ReportItem(report, Kind::RichText, name, leftMm, topMm, font)
    , m_widthMm(widthMm)
    , m_heightUnits(heightUnits)
{ }

double ReportRichText::heightMm() const
{
    return ReportUnits::ToMm(m_heightUnits);
}

void ReportRichText::setHeightUnits(int units)
{
    m_heightUnits = units;
    changed();
}

void ReportRichText::setLinePitchUnits(int units)
{
    m_linePitchUnits = units;
    changed();
}

void ReportRichText::setLines(const QStringList &lines)
{
    m_lines = lines;
    changed();
}
