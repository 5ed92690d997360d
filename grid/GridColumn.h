#pragma once

#include <QString>
#include <Qt>

// What a grid column's footer cell shows.
enum class FooterKind { None, Text, Sum };

// One column of a data grid: the row-set column it shows and how.
struct GridColumn
{
    QString field; // row-set column; empty for a column without a field
    QString title; // header text; the field name when empty
    int width = 64; // design width; the grid scales all widths to fill its width
    Qt::Alignment alignment = Qt::AlignCenter;
    QString displayFormat; // "#0.##" for numbers; empty shows the row set's text
    bool rowNumbers = false; // paints each row's 1-based position over the cell
    FooterKind footer = FooterKind::None;
    QString footerText; // the fixed text of FooterKind::Text
    Qt::Alignment footerAlignment = Qt::AlignLeft; // footers are drawn bold
};
