#pragma once

#include "receipts/CheckoutPlan.h"

#include <QPoint>
#include <QSize>

#include <vector>

// The layout of a receipt template window, as data: its two reports with their
// bands and items, and the preview window around them. Positions are in
// millimetres from the band's top-left corner; band heights in units of 1/96 inch.
namespace ReceiptLayout {

enum class ItemKind { Label, Field, RichText };
enum class BandKind { Title, Detail, Summary };
// The report font (Arial 10 pt, for the dash lines) or the receipt's text font.
enum class Face { Text, Report };
// Where a data-bound field reads: the ticket lines or the settings row.
enum class Source { None, Lines, Settings };
// Figures of the ticket lines print as "0.00".
enum class Figure { None, UnitPrice, Quantity, Amount };
// The value of the receipt a label shows in place of its placeholder caption;
// None for fixed captions.
enum class Value {
    None,
    ShopName,
    Cashier,
    Number,
    Time,
    Customer,
    Phone,
    Address,
    TotalQuantity,
    TotalDiscounted,
    Paid,
    Change,
    ReprintMark,
    ReturnMark, // "退货单" and the sale a return takes back
    PaymentPart // one part of a payment: its method and amount
};

struct Item
{
    ItemKind kind = ItemKind::Label;
    const char *name = "";
    const char *text = ""; // a label's caption, or a field's column
    double leftMm = 0;
    double topMm = 0;
    Face face = Face::Text;
    double pointSize = 0; // 0: the face's size
    bool bold = false;
    Source source = Source::None;
    Figure figure = Figure::None;
    Value value = Value::None;
    double widthMm = 0; // remark box
    int heightUnits = 0; // remark box
    int linePitchUnits = 0; // remark box
    int part = 0; // which part of the payment a PaymentPart line shows
};

struct Band
{
    BandKind kind;
    const char *name;
    int heightUnits;
    std::vector<Item> items;
};

struct Report
{
    const char *name;
    // Before the first receipt; a receipt's length follows its lines and remark.
    int designHeightUnits;
    std::vector<Band> bands;
};

struct Window
{
    double paperWidthMm;
    double bandWidthMm;
    double textPointSize;
    QSize clientSize;
    QSize pageControlSize;
    QPoint reportPosition; // of each report on its page
    Report quickRep1; // without the customer block
    Report quickRep2; // with the customer block
};

// The four templates: one-part and two-part, 58 mm and 76 mm paper.
const Window &OnePart58();
const Window &OnePart76();
const Window &TwoPart58();
const Window &TwoPart76();
const Window &OfTemplate(ReceiptTemplate which);
const Report &OfReport(const Window &window, ReceiptReport report);

} // namespace ReceiptLayout
