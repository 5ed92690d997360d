#pragma once

#include "receipts/ReceiptLayout.h"

#include <QFont>
#include <QMarginsF>

// Building blocks of the receipt layout tables: item makers, the dash lines,
// and the detail and summary bands that every template of a paper width shares.
namespace ReceiptLayout {

// The dash lines, in the report font.
inline constexpr const char *kGappedDashes58 = "----------                       ----------";
inline constexpr const char *kGappedDashes76 = "-----------------                          ----------------";
inline constexpr const char *kDashes58 = "------------------------------------------";
inline constexpr const char *kDashes76 = "-----------------------------------------------------------";

// Page geometry of each paper width.
inline constexpr double kPaperWidth58 = 57.94;
inline constexpr double kPaperWidth76 = 75.94;
inline constexpr double kBandWidth58 = 47.89;
inline constexpr double kBandWidth76 = 65.88;
inline constexpr double kTextSize58 = 8;
inline constexpr double kTextSize76 = 9;
inline constexpr QPoint kReportPosition58{62, 21};
inline constexpr QPoint kReportPosition76{22, 21};
inline constexpr QSize kOnePartClient{342, 452};
inline constexpr QSize kOnePartPages{345, 430};
inline constexpr QSize kTwoPartClient{342, 585};
inline constexpr QSize kTwoPartPages{345, 561};

// Paper margins of every receipt and slip, in millimetres: left, top, right, bottom.
inline const QMarginsF kPaperMargins(5, 10, 5, 10);
// The receipts' text in the given size, and the face and size of their dash lines.
QFont TextFont(double pointSize);
QFont DashFont();

Item Label(const char *name, const char *caption, double leftMm, double topMm);
// A label that shows a value of the receipt; the preview shows its placeholder.
Item Filled(const char *name, Value value, const char *placeholder, double leftMm, double topMm);
Item Dashes(const char *name, const char *dashes, double leftMm, double topMm);
Item Field(const char *name, Source source, const char *column, double leftMm, double topMm,
           Figure figure = Figure::None);
Item Remark(const char *name, double leftMm, double topMm, double widthMm);
// The same item in its own size, bold.
Item Bold(Item item, double pointSize);

// Names of the detail band's items: the band, then the fields of 品名, 单价, 数量, 折后.
struct DetailNames
{
    const char *band, *name, *price, *quantity, *amount;
};
// Names of the summary band's items: the band, the labels in the roles
// 合计：, quantity, amount, 支付金额：, paid, 应付金额：, payable, 找零金额：,
// change, the dash line and the remark box.
struct SummaryNames
{
    const char *band, *total, *quantity, *amount, *paidCaption, *paid, *payableCaption, *payable, *changeCaption,
        *change, *dashes, *remark;
};

Band Detail58(const DetailNames &names);
Band Detail76(const DetailNames &names);
Band Summary58(const SummaryNames &names);
Band Summary76(const SummaryNames &names);

// The names of both reports' detail and summary bands.
extern const DetailNames kDetailNames1;
extern const SummaryNames kSummaryNames1;
extern const SummaryNames kSummaryNames2;
extern const DetailNames kDetailNames2At58;
extern const DetailNames kDetailNames2At76;

} // namespace ReceiptLayout
