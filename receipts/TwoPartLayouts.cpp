#include "receipts/ReceiptLayoutParts.h"

// The two-part receipts: a payment voucher (with the customer in QuickRep2)
// above the receipt proper, blank paper between them, no cashier line.
namespace ReceiptLayout {

namespace {
constexpr double kVoucherSize = 11; // "支付凭证" and the amount of the voucher
}

const Window &TwoPart58()
{
    static const Window window{
        kPaperWidth58,
        kBandWidth58,
        kTextSize58,
        kTwoPartClient,
        kTwoPartPages,
        kReportPosition58,
        {"QuickRep1",
         435,
         {
             {BandKind::Title,
              "QRBand2",
              230,
              {
                  Bold(Label("QRLabel1", "支付凭证", 2.12, 0.53), kVoucherSize),
                  Label("QRLabel2", "店名：", 2.12, 5.29),
                  Filled("QRLabel20", Value::ShopName, "店名", 10.58, 5.29),
                  Label("QRLabel21", "单号：", 2.12, 9.26),
                  Filled("QRLabel53", Value::Number, "单号", 10.58, 9.26),
                  Label("QRLabel54", "时间：", 2.12, 13.23),
                  Filled("QRLabel55", Value::Time, "时间", 10.58, 13.23),
                  Bold(Filled("QRLabel59", Value::TotalDiscounted, "消费金额", 16.93, 20.64), kVoucherSize),
                  Label("QRLabel58", "消费金额：", 2.12, 21.17),
                  Bold(Field("QRDBText1", Source::Settings, "店名", 1.85, 37.57), 9),
                  Label("QRLabel3", "单号：", 1.85, 43.13),
                  Filled("QRLabel4", Value::Number, "单号", 9.79, 43.13),
                  Label("QRLabel5", "时间：", 1.85, 47.10),
                  Filled("QRLabel6", Value::Time, "时间", 9.79, 47.10),
                  Dashes("QRLabel22", kDashes58, 0.00, 51.33),
                  Label("QRLabel7", "品名", 0.00, 56.62),
                  Label("QRLabel8", "单价", 10.05, 56.62),
                  Label("QRLabel9", "数量", 22.23, 56.62),
                  Label("QRLabel10", "金额", 31.75, 56.62),
              }},
             Detail58(kDetailNames1),
             Summary58(kSummaryNames1),
         }},
        {"QuickRep2",
         505,
         {
             {BandKind::Title,
              "QRBand6",
              300,
              {
                  Bold(Label("QRLabel56", "支付凭证", 2.12, 0.53), kVoucherSize),
                  Label("QRLabel24", "店名：", 2.12, 5.29),
                  Filled("QRLabel25", Value::ShopName, "店名", 10.58, 5.29),
                  Label("QRLabel49", "单号：", 2.12, 9.26),
                  Filled("QRLabel50", Value::Number, "单号", 10.58, 9.26),
                  Label("QRLabel57", "时间：", 2.12, 13.23),
                  Filled("QRLabel60", Value::Time, "时间", 10.58, 13.23),
                  Bold(Filled("QRLabel62", Value::TotalDiscounted, "消费金额", 16.93, 20.64), kVoucherSize),
                  Label("QRLabel61", "消费金额：", 2.12, 21.17),
                  Label("QRLabel30", "客户：", 1.85, 29.10),
                  Filled("QRLabel31", Value::Customer, "客户", 9.79, 29.10),
                  Label("QRLabel32", "电话：", 1.85, 33.87),
                  Filled("QRLabel33", Value::Phone, "电话", 9.79, 33.87),
                  Label("QRLabel34", "地址：", 1.85, 38.63),
                  Filled("QRLabel35", Value::Address, "地址", 9.79, 38.63),
                  Bold(Field("QRDBText6", Source::Settings, "店名", 1.85, 57.94), 10),
                  Label("QRLabel26", "单号：", 1.85, 64.03),
                  Filled("QRLabel27", Value::Number, "单号", 9.79, 64.03),
                  Label("QRLabel28", "时间：", 1.85, 68.79),
                  Filled("QRLabel29", Value::Time, "时间", 9.79, 68.79),
                  Dashes("QRLabel51", kDashes58, 0.00, 71.97),
                  Label("QRLabel36", "品名", 0.00, 75.14),
                  Label("QRLabel37", "单价", 10.05, 75.14),
                  Label("QRLabel38", "数量", 22.23, 75.14),
                  Label("QRLabel39", "金额", 31.75, 75.14),
              }},
             Detail58(kDetailNames2At58),
             Summary58(kSummaryNames2),
         }},
    };
    return window;
}

const Window &TwoPart76()
{
    static const Window window{
        kPaperWidth76,
        kBandWidth76,
        kTextSize76,
        kTwoPartClient,
        kTwoPartPages,
        kReportPosition76,
        {"QuickRep1",
         435,
         {
             {BandKind::Title,
              "QRBand2",
              225,
              {
                  Bold(Label("QRLabel1", "支付凭证", 2.12, 0.53), kVoucherSize),
                  Label("QRLabel2", "店名：", 2.12, 5.29),
                  Filled("QRLabel20", Value::ShopName, "店名", 9.79, 5.29),
                  Label("QRLabel21", "单号：", 2.12, 9.26),
                  Filled("QRLabel53", Value::Number, "单号", 9.79, 9.26),
                  Label("QRLabel54", "时间：", 2.12, 13.23),
                  Filled("QRLabel55", Value::Time, "时间", 9.79, 13.23),
                  Bold(Filled("QRLabel59", Value::TotalDiscounted, "消费金额", 16.93, 20.64), kVoucherSize),
                  Label("QRLabel58", "消费金额：", 2.12, 21.17),
                  Bold(Field("QRDBText1", Source::Settings, "店名", 1.85, 36.78), 11),
                  Label("QRLabel3", "单号：", 1.85, 42.86),
                  Filled("QRLabel4", Value::Number, "单号", 9.79, 42.86),
                  Label("QRLabel5", "时间：", 1.85, 47.62),
                  Filled("QRLabel6", Value::Time, "时间", 9.79, 47.62),
                  Dashes("QRLabel22", kDashes76, 1.32, 51.06),
                  Label("QRLabel7", "品名", 1.85, 54.24),
                  Label("QRLabel8", "单价", 17.73, 54.24),
                  Label("QRLabel9", "数量", 32.01, 54.24),
                  Label("QRLabel10", "金额", 45.77, 54.24),
              }},
             Detail76(kDetailNames1),
             Summary76(kSummaryNames1),
         }},
        {"QuickRep2",
         505,
         {
             {BandKind::Title,
              "QRBand6",
              295,
              {
                  Bold(Label("QRLabel56", "支付凭证", 2.12, 0.53), kVoucherSize),
                  Label("QRLabel24", "店名：", 2.12, 5.29),
                  Filled("QRLabel25", Value::ShopName, "店名", 9.79, 5.29),
                  Label("QRLabel49", "单号：", 2.12, 9.26),
                  Filled("QRLabel50", Value::Number, "单号", 9.79, 9.26),
                  Label("QRLabel57", "时间：", 2.12, 13.23),
                  Filled("QRLabel60", Value::Time, "时间", 9.79, 13.23),
                  Bold(Filled("QRLabel62", Value::TotalDiscounted, "消费金额", 16.93, 20.64), kVoucherSize),
                  Label("QRLabel61", "消费金额：", 2.12, 21.17),
                  Label("QRLabel30", "客户：", 1.85, 29.10),
                  Filled("QRLabel31", Value::Customer, "客户", 9.79, 29.10),
                  Label("QRLabel32", "电话：", 1.85, 33.87),
                  Filled("QRLabel33", Value::Phone, "电话", 9.79, 33.87),
                  Label("QRLabel34", "地址：", 1.85, 38.63),
                  Filled("QRLabel35", Value::Address, "地址", 9.79, 38.63),
                  Bold(Field("QRDBText10", Source::Settings, "店名", 1.85, 55.83), 11),
                  Label("QRLabel26", "单号：", 1.85, 61.91),
                  Filled("QRLabel27", Value::Number, "单号", 9.79, 61.91),
                  Label("QRLabel28", "时间：", 1.85, 66.67),
                  Filled("QRLabel29", Value::Time, "时间", 9.79, 66.67),
                  Dashes("QRLabel51", kDashes76, 1.32, 69.85),
                  Label("QRLabel36", "品名", 1.85, 73.03),
                  Label("QRLabel37", "单价", 17.73, 73.03),
                  Label("QRLabel38", "数量", 32.01, 73.03),
                  Label("QRLabel39", "金额", 45.77, 73.03),
              }},
             Detail76(kDetailNames2At76),
             Summary76(kSummaryNames2),
         }},
    };
    return window;
}

} // namespace ReceiptLayout
