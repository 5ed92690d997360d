#pragma once

#include "report/ReportItems.h"

#include <QFont>
#include <QSizeF>
#include <QString>

#include <vector>

// Where one item landed: page and position in millimetres from the page's
// top-left corner, and the text it shows.
struct PlacedItem
{
    int page = 0;
    QString name;
    ReportItem::Kind kind = ReportItem::Kind::Label;
    double leftMm = 0;
    double topMm = 0;
    double widthMm = 0; // wrap width (to the band's right edge; a box: its width)
    double heightMm = -1; // a box's height; -1 grows with the text
    double linePitchMm = 0; // distance between line tops; 0 for the font's line spacing
    QString text;
    QFont font;
};

struct PlacedBand
{
    int page = 0;
    QString name;
    double topMm = 0;
    double heightMm = 0;
};

// A report laid out on its pages, ready to paint: what a print produces, or
// the design view of its layout.
struct PrintedReport
{
    QSizeF pageSizeMm;
    int pageCount = 1;
    // How much taller the bands stood than designed, because texts wrapped.
    double grownMm = 0;
    std::vector<PlacedBand> bands;
    std::vector<PlacedItem> items;

    // Every placement of an item, in print order (a detail item once per row).
    std::vector<PlacedItem> placementsOf(const QString &name) const;
};
