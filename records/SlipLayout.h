#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Report;

// Slips on receipt paper made of lines of text (the day-end and shift
// reports): as wide as the receipts ("58" or "76"; other widths print on 76)
// and, once laid out, as long as their content.
namespace SlipLayout {

constexpr int kLineUnits = 18;

struct Paper
{
    double bandWidthMm = 0;
    QFont font;
};

Paper PaperFor(const QString &paperWidth);
std::unique_ptr<Report> NewSlip(const QString &name, const QString &paperWidth);
// Cuts the paper after the last band and the usual margin.
void CutAfterContent(Report &report);

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

    void addTo(Report &report, double bandWidthMm) const;

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

} // namespace SlipLayout
