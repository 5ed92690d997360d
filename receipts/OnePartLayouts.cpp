#include "receipts/ReceiptLayoutParts.h"

// The one-part receipts: cashier, shop name, number and time (and, in
// QuickRep2, the customer) above the lines, the totals and the remark below.
namespace ReceiptLayout {

const Window &OnePart58()
{
    static const Window window{
        kPaperWidth58,
        kBandWidth58,
        kTextSize58,
        kOnePartClient,
        kOnePartPages,
        kReportPosition58,
        {"QuickRep1",
         305,
         {
             {BandKind::Title,
              "QRBand2",
              100,
              {
                  Dashes("QRLabel20", kGappedDashes58, 0.00, -1.32),
                  Dashes("QRLabel21", kGappedDashes58, 0.00, -0.79),
                  Label("QRLabel1", "收银员：", 11.11, 0.00),
                  Filled("QRLabel2", Value::Cashier, "收银员", 21.96, 0.00),
                  Field("QRDBText1", Source::Settings, "店名", 1.85, 5.03),
                  Label("QRLabel3", "单号：", 1.85, 11.11),
                  Filled("QRLabel4", Value::Number, "单号", 9.79, 11.11),
                  Label("QRLabel5", "时间：", 1.85, 15.88),
                  Filled("QRLabel6", Value::Time, "时间", 9.79, 15.88),
                  Dashes("QRLabel22", kDashes58, 0.00, 19.31),
                  Label("QRLabel7", "品名", 0.00, 22.49),
                  Label("QRLabel8", "单价", 10.05, 22.49),
                  Label("QRLabel9", "数量", 22.23, 22.49),
                  Label("QRLabel10", "金额", 31.75, 22.49),
              }},
             Detail58(kDetailNames1),
             Summary58(kSummaryNames1),
         }},
        {"QuickRep2",
         360,
         {
             {BandKind::Title,
              "QRBand6",
              155,
              {
                  Dashes("QRLabel49", kGappedDashes58, 0.00, -1.32),
                  Dashes("QRLabel50", kGappedDashes58, 0.00, -0.79),
                  Label("QRLabel24", "收银员：", 11.11, 0.00),
                  Filled("QRLabel25", Value::Cashier, "收银员", 21.96, 0.00),
                  Field("QRDBText6", Source::Settings, "店名", 1.85, 5.03),
                  Label("QRLabel26", "单号：", 1.85, 11.11),
                  Filled("QRLabel27", Value::Number, "单号", 9.79, 11.11),
                  Label("QRLabel28", "时间：", 1.85, 15.88),
                  Filled("QRLabel29", Value::Time, "时间", 9.79, 15.88),
                  Label("QRLabel30", "客户：", 1.85, 20.64),
                  Filled("QRLabel31", Value::Customer, "客户", 9.79, 20.64),
                  Label("QRLabel32", "电话：", 1.85, 25.40),
                  Filled("QRLabel33", Value::Phone, "电话", 9.79, 25.40),
                  Label("QRLabel34", "地址：", 1.85, 30.16),
                  Filled("QRLabel35", Value::Address, "地址", 9.79, 30.16),
                  Dashes("QRLabel51", kDashes58, 0.00, 33.87),
                  Label("QRLabel36", "品名", 0.00, 37.04),
                  Label("QRLabel37", "单价", 10.05, 37.04),
                  Label("QRLabel38", "数量", 22.23, 37.04),
                  Label("QRLabel39", "金额", 31.75, 37.04),
              }},
             Detail58(kDetailNames2At58),
             Summary58(kSummaryNames2),
         }},
    };
    return window;
}

const Window &OnePart76()
{
    static const Window window{
        kPaperWidth76,
        kBandWidth76,
        kTextSize76,
        kOnePartClient,
        kOnePartPages,
        kReportPosition76,
        {"QuickRep1",
         310,
         {
             {BandKind::Title,
              "QRBand2",
              100,
              {
                  Dashes("QRLabel20", kGappedDashes76, 1.32, -1.32),
                  Dashes("QRLabel21", kGappedDashes76, 1.32, -0.79),
                  Label("QRLabel1", "收银员：", 20.37, 0.00),
                  Filled("QRLabel2", Value::Cashier, "收银员", 33.07, 0.00),
                  Field("QRDBText1", Source::Settings, "店名", 1.85, 5.03),
                  Label("QRLabel3", "单号：", 1.85, 11.11),
                  Filled("QRLabel4", Value::Number, "单号", 9.79, 11.11),
                  Label("QRLabel5", "时间：", 1.85, 15.88),
                  Filled("QRLabel6", Value::Time, "时间", 9.79, 15.88),
                  Dashes("QRLabel22", kDashes76, 1.32, 19.31),
                  Label("QRLabel7", "品名", 1.85, 22.49),
                  Label("QRLabel8", "单价", 17.73, 22.49),
                  Label("QRLabel9", "数量", 32.01, 22.49),
                  Label("QRLabel10", "金额", 45.77, 22.49),
              }},
             Detail76(kDetailNames1),
             Summary76(kSummaryNames1),
         }},
        {"QuickRep2",
         365,
         {
             {BandKind::Title,
              "QRBand6",
              155,
              {
                  Dashes("QRLabel49", kGappedDashes76, 1.32, -1.32),
                  Dashes("QRLabel50", kGappedDashes76, 1.32, -0.79),
                  Label("QRLabel24", "收银员：", 20.37, 0.00),
                  Filled("QRLabel25", Value::Cashier, "收银员", 33.07, 0.00),
                  Field("QRDBText10", Source::Settings, "店名", 1.85, 5.03),
                  Label("QRLabel26", "单号：", 1.85, 11.11),
                  Filled("QRLabel27", Value::Number, "单号", 9.79, 11.11),
                  Label("QRLabel28", "时间：", 1.85, 15.88),
                  Filled("QRLabel29", Value::Time, "时间", 9.79, 15.88),
                  Label("QRLabel30", "客户：", 1.85, 20.64),
                  Filled("QRLabel31", Value::Customer, "客户", 9.79, 20.64),
                  Label("QRLabel32", "电话：", 1.85, 25.40),
                  Filled("QRLabel33", Value::Phone, "电话", 9.79, 25.40),
                  Label("QRLabel34", "地址：", 1.85, 30.16),
                  Filled("QRLabel35", Value::Address, "地址", 9.79, 30.16),
                  Dashes("QRLabel51", kDashes76, 1.32, 33.87),
                  Label("QRLabel36", "品名", 1.85, 37.04),
                  Label("QRLabel37", "单价", 17.73, 37.04),
                  Label("QRLabel38", "数量", 32.01, 37.04),
                  Label("QRLabel39", "金额", 45.77, 37.04),
              }},
             Detail76(kDetailNames2At76),
             Summary76(kSummaryNames2),
         }},
    };
    return window;
}

} // namespace ReceiptLayout
