#include "receipts/ReceiptLayoutParts.h"

namespace ReceiptLayout {

QFont TextFont(double pointSize)
{
    QFont font(QStringLiteral("方正兰亭刊黑_GBK"));
    font.setPointSizeF(pointSize);
    return font;
}

QFont DashFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10);
    return font;
}

Item Label(const char *name, const char *caption, double leftMm, double topMm)
{
    Item item;
    item.name = name;
    item.text = caption;
    item.leftMm = leftMm;
    item.topMm = topMm;
    return item;
}

Item Filled(const char *name, Value value, const char *placeholder, double leftMm, double topMm)
{
    Item item = Label(name, placeholder, leftMm, topMm);
    item.value = value;
    return item;
}

Item Dashes(const char *name, const char *dashes, double leftMm, double topMm)
{
    Item item = Label(name, dashes, leftMm, topMm);
    item.face = Face::Report;
    return item;
}

Item Field(const char *name, Source source, const char *column, double leftMm, double topMm, Figure figure)
{
    Item item = Label(name, column, leftMm, topMm);
    item.kind = ItemKind::Field;
    item.source = source;
    item.figure = figure;
    return item;
}

Item Remark(const char *name, double leftMm, double topMm, double widthMm)
{
    Item item = Label(name, "", leftMm, topMm);
    item.kind = ItemKind::RichText;
    item.widthMm = widthMm;
    // One line tall until a receipt sizes it to its remark.
    item.heightUnits = RemarkBoxHeightUnits(1);
    item.linePitchUnits = RemarkBoxHeightUnits(1);
    return item;
}

Item Bold(Item item, double pointSize)
{
    item.pointSize = pointSize;
    item.bold = true;
    return item;
}

const DetailNames kDetailNames1{"QRBand1", "QRDBText2", "QRDBText3", "QRDBText4", "QRDBText5"};
const DetailNames kDetailNames2At58{"QRBand4", "QRDBText7", "QRDBText8", "QRDBText9", "QRDBText10"};
const DetailNames kDetailNames2At76{"QRBand4", "QRDBText8", "QRDBText9", "QRDBText7", "QRDBText6"};

const SummaryNames kSummaryNames1{"QRBand3",   "QRLabel11", "QRLabel12", "QRLabel13", "QRLabel14", "QRLabel15",
                                  "QRLabel16", "QRLabel17", "QRLabel18", "QRLabel19", "QRLabel23", "QRRichText1"};
const SummaryNames kSummaryNames2{"QRBand5",   "QRLabel40", "QRLabel41", "QRLabel42", "QRLabel43", "QRLabel44",
                                  "QRLabel45", "QRLabel46", "QRLabel47", "QRLabel48", "QRLabel52", "QRRichText2"};

Band Detail58(const DetailNames &n)
{
    return {BandKind::Detail,
            n.band,
            25,
            {
                Field(n.name, Source::Lines, "品名", 0.00, 0.53),
                Field(n.price, Source::Lines, "单价", 10.05, 3.44, Figure::UnitPrice),
                Field(n.quantity, Source::Lines, "数量", 22.49, 3.44, Figure::Quantity),
                Field(n.amount, Source::Lines, "折后", 31.75, 3.44, Figure::Amount),
            }};
}

Band Detail76(const DetailNames &n)
{
    return {BandKind::Detail,
            n.band,
            30,
            {
                Field(n.name, Source::Lines, "品名", 1.85, 0.26),
                Field(n.price, Source::Lines, "单价", 17.73, 3.97, Figure::UnitPrice),
                Field(n.quantity, Source::Lines, "数量", 32.01, 3.97, Figure::Quantity),
                Field(n.amount, Source::Lines, "折后", 45.77, 3.97, Figure::Amount),
            }};
}

Band Summary58(const SummaryNames &n)
{
    return {BandKind::Summary,
            n.band,
            103,
            {
                Label(n.total, "合计：", 5.82, 0.79),
                Filled(n.quantity, Value::TotalQuantity, "数量", 22.75, 0.79),
                Filled(n.amount, Value::TotalDiscounted, "金额", 31.75, 0.79),
                Label(n.paidCaption, "支付金额：", 0.00, 5.29),
                Filled(n.paid, Value::Paid, "支付", 14.82, 5.29),
                Label(n.payableCaption, "应付金额：", 0.00, 10.05),
                Filled(n.payable, Value::TotalDiscounted, "折后", 14.82, 10.05),
                Label(n.changeCaption, "找零金额：", 0.00, 14.55),
                Filled(n.change, Value::Change, "找零", 14.82, 14.55),
                Dashes(n.dashes, kDashes58, 0.00, 17.99),
                Remark(n.remark, 0.00, 22.49, 47.62),
            }};
}

Band Summary76(const SummaryNames &n)
{
    return {BandKind::Summary,
            n.band,
            103,
            {
                Label(n.total, "合计：", 8.20, 0.79),
                Filled(n.quantity, Value::TotalQuantity, "数量", 32.28, 0.79),
                Filled(n.amount, Value::TotalDiscounted, "金额", 45.51, 0.79),
                Label(n.paidCaption, "支付金额：", 1.85, 5.29),
                Filled(n.paid, Value::Paid, "支付", 17.99, 5.29),
                Label(n.payableCaption, "应付金额：", 1.85, 10.05),
                Filled(n.payable, Value::TotalDiscounted, "折后", 17.99, 10.05),
                Label(n.changeCaption, "找零金额：", 1.85, 14.55),
                Filled(n.change, Value::Change, "找零", 17.99, 14.55),
                Dashes(n.dashes, kDashes76, 1.32, 17.99),
                Remark(n.remark, 1.32, 22.49, 63.50),
            }};
}

const Window &OfTemplate(ReceiptTemplate which)
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return OnePart58();
    case ReceiptTemplate::OnePart76:
        return OnePart76();
    case ReceiptTemplate::TwoPart58:
        return TwoPart58();
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return TwoPart76();
}

const Report &OfReport(const Window &window, ReceiptReport report)
{
    return report == ReceiptReport::Plain ? window.quickRep1 : window.quickRep2;
}

} // namespace ReceiptLayout
