#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

class Report;
class ReportData;

// An item of a band. Every item is left-aligned at its position (millimetres
// from the band's top-left corner; a negative top lies above the band), sized
// to its text and word-wrapped at the band's right edge.
class ReportItem
{
public:
    enum class Kind { Label, Field, RichText };

    ReportItem(Report &report, Kind kind, const QString &name, double leftMm, double topMm, const QFont &font);
    virtual ~ReportItem() = default;

    Kind kind() const { return m_kind; }
    QString name() const { return m_name; }
    double leftMm() const { return m_leftMm; }
    double topMm() const { return m_topMm; }
    QFont font() const { return m_font; }

protected:
    void changed();

private:
    Report &m_report;
    Kind m_kind;
    QString m_name;
    double m_leftMm;
    double m_topMm;
    QFont m_font;
};

// A fixed text; the program may set its caption before printing.
class ReportLabel : public ReportItem
{
public:
    ReportLabel(Report &report, const QString &name, const QString &caption, double leftMm, double topMm,
                const QFont &font);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

private:
    QString m_caption;
};

// The text of a field of a data source. In the detail band it reads the row
// being printed, elsewhere the source's current row. The print hook may
// rewrite the text just before it prints.
class ReportField : public ReportItem
{
public:
    using PrintHook = std::function<void(QString &text)>;

    ReportField(Report &report, const QString &name, const ReportData &source, const QString &fieldName, double leftMm,
                double topMm, const QFont &font);

    QString fieldName() const { return m_fieldName; }
    const ReportData &source() const { return m_source; }
    void setPrintHook(PrintHook hook) { m_hook = std::move(hook); }
    // The text as it prints for a row of its source (-1: no row, empty text).
    QString printedText(int row) const;

private:
    const ReportData &m_source;
    QString m_fieldName;
    PrintHook m_hook;
};

// A multi-line text box of fixed width whose height the program sets; it may
// reach below its band. Its lines, wrapped at its width, follow each other at
// a fixed pitch (or the font's line spacing when none is set); lines that do
// not start inside the box are not printed.
class ReportRichText : public ReportItem
{
public:
    ReportRichText(Report &report, const QString &name, double leftMm, double topMm, double widthMm, int heightUnits,
                   const QFont &font);

    double widthMm() const { return m_widthMm; }
    int heightUnits() const { return m_heightUnits; }
    double heightMm() const;
    void setHeightUnits(int units);
    QStringList lines() const { return m_lines; }
    void setLines(const QStringList &lines);
    // Distance between line tops, in 1/96 inch; 0 for the font's line spacing.
    int linePitchUnits() const { return m_linePitchUnits; }
    void setLinePitchUnits(int units);

private:
    double m_widthMm;
    int m_heightUnits;
    int m_linePitchUnits = 0;
    QStringList m_lines;
};
