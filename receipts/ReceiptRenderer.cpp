#include "receipts/ReceiptRenderer.h"

#include "receipts/AddedLines.h"
#include "receipts/ReceiptFigures.h"
#include "receipts/ReceiptLayoutParts.h"
#include "report/Report.h"
#include "report/ReportUnits.h"
#include "report/TableData.h"

#include <cmath>

namespace {

const QString kNameColumn = QStringLiteral("品名");
const QString kPriceColumn = QStringLiteral("单价");
const QString kQuantityColumn = QStringLiteral("数量");
const QString kDiscountedColumn = QStringLiteral("折后");
const QString kShopNameColumn = QStringLiteral("店名");

QFont ItemFont(const ReceiptLayout::Item &item, double textPointSize)
{
    if (item.face == ReceiptLayout::Face::Report)
        return ReceiptLayout::DashFont();
    QFont font = ReceiptLayout::TextFont(item.pointSize > 0 ? item.pointSize : textPointSize);
    font.setBold(item.bold);
    return font;
}

ReportBand::Kind BandKindOf(ReceiptLayout::BandKind kind)
{
    switch (kind) {
    case ReceiptLayout::BandKind::Title:
        return ReportBand::Kind::Title;
    case ReceiptLayout::BandKind::Detail:
        return ReportBand::Kind::Detail;
    case ReceiptLayout::BandKind::Summary:
        break;
    }
    return ReportBand::Kind::Summary;
}

QString ValueText(const ReceiptLayout::Item &item, const ReceiptOrder &order)
{
    const Sale &sale = order.sale;
    switch (item.value) {
    case ReceiptLayout::Value::ShopName:
        return order.settings.shopName;
    case ReceiptLayout::Value::Cashier:
        return sale.cashier;
    case ReceiptLayout::Value::Number:
        return sale.number;
    case ReceiptLayout::Value::Time:
        return sale.time;
    case ReceiptLayout::Value::Customer:
        return sale.customer;
    case ReceiptLayout::Value::Phone:
        return sale.phone;
    case ReceiptLayout::Value::Address:
        return sale.address;
    case ReceiptLayout::Value::TotalQuantity:
        return sale.totals().quantity.text();
    case ReceiptLayout::Value::TotalDiscounted:
        return sale.totals().discounted.text();
    case ReceiptLayout::Value::Paid:
        return sale.paid;
    case ReceiptLayout::Value::Change:
        return sale.change() ? sale.change()->text() : QString();
    case ReceiptLayout::Value::ReprintMark:
        return order.reprintMark;
    case ReceiptLayout::Value::ReturnMark:
        return QStringLiteral("退货单 原单号 %1").arg(sale.originalNumber);
    case ReceiptLayout::Value::PaymentPart: {
        const Payment &part = sale.payments.at(size_t(item.part));
        return MethodName(part.method) + QLatin1Char(' ') + part.amount.figureText();
    }
    case ReceiptLayout::Value::None:
        break;
    }
    return {};
}

std::unique_ptr<TableData> LinesData(const ReceiptOrder *order)
{
    std::vector<QStringList> rows;
    if (order) {
        for (const SaleLine &line : order->sale.lines)
            rows.push_back({line.name, line.price.text(), line.quantity.text(), line.discounted.text()});
    }
    return std::make_unique<TableData>(QStringList{kNameColumn, kPriceColumn, kQuantityColumn, kDiscountedColumn},
                                       std::move(rows));
}

std::unique_ptr<TableData> SettingsData(const ReceiptOrder *order)
{
    std::vector<QStringList> rows;
    if (order)
        rows.push_back({order->settings.shopName});
    return std::make_unique<TableData>(QStringList{kShopNameColumn}, std::move(rows));
}

// The paper grows by the detail band's real height per line (30 units at 76 mm, not 25).
int DetailRowUnits(const ReceiptLayout::Report &table)
{
    for (const auto &band : table.bands) {
        if (band.kind == ReceiptLayout::BandKind::Detail)
            return band.heightUnits;
    }
    return 0;
}

// A template's report, filled from an order, or showing its placeholders when there is none.
std::unique_ptr<Report> Build(ReceiptTemplate which, ReceiptReport variant, const ReceiptOrder *order)
{
    const ReceiptLayout::Window &window = ReceiptLayout::OfTemplate(which);
    // Lines beyond the template: a return's mark, a reprint's mark and the parts of a split or non-cash payment.
    ReceiptLayout::Report table = ReceiptLayout::OfReport(window, variant);
    int addedLines = 0;
    if (order && order->sale.isReturn()) {
        table = WithTitleMark(table, ReceiptLayout::Value::ReturnMark, "ReturnMark", "退货单");
        ++addedLines;
    }
    if (order && !order->reprintMark.isEmpty()) {
        table = WithTitleMark(table, ReceiptLayout::Value::ReprintMark, "ReprintMark", "重打");
        ++addedLines;
    }
    if (order && order->sale.listsMethods()) {
        const int parts = int(order->sale.payments.size());
        table = WithPaymentLines(table, parts);
        addedLines += parts;
    }
    auto report = std::make_unique<Report>(QString::fromUtf8(table.name));
    report->setPaperWidthMm(window.paperWidthMm);
    report->setMarginsMm(ReceiptLayout::kPaperMargins);
    report->setBandWidthMm(window.bandWidthMm);
    const ReportData &lines = report->adoptData(LinesData(order));
    const ReportData &settings = report->adoptData(SettingsData(order));
    report->setDetailData(&lines);

    const QStringList remark = order ? MemoLines(order->settings.remark) : QStringList();
    for (const auto &bandTable : table.bands) {
        ReportBand *band = report->addBand(BandKindOf(bandTable.kind), QString::fromUtf8(bandTable.name),
                                           bandTable.heightUnits);
        for (const auto &item : bandTable.items) {
            const QString name = QString::fromUtf8(item.name);
            const QString text = QString::fromUtf8(item.text);
            const QFont font = ItemFont(item, window.textPointSize);
            switch (item.kind) {
            case ReceiptLayout::ItemKind::Label: {
                const bool filled = order && item.value != ReceiptLayout::Value::None;
                band->addLabel(name, filled ? ValueText(item, *order) : text, item.leftMm, item.topMm, font);
                break;
            }
            case ReceiptLayout::ItemKind::RichText: {
                ReportRichText *box = band->addRichText(
                    name, item.leftMm, item.topMm, item.widthMm,
                    order ? RemarkBoxHeightUnits(order->remarkLines) : item.heightUnits, font);
                box->setLinePitchUnits(item.linePitchUnits);
                box->setLines(remark);
                break;
            }
            case ReceiptLayout::ItemKind::Field: {
                const ReportData &source = item.source == ReceiptLayout::Source::Settings ? settings : lines;
                ReportField *field = band->addField(name, source, text, item.leftMm, item.topMm, font);
                if (item.figure != ReceiptLayout::Figure::None)
                    field->setPrintHook([](QString &value) { value = FormatFigure(value); });
                break;
            }
            }
        }
    }

    if (!order) {
        report->setHeightUnits(table.designHeightUnits);
        return report;
    }
    const int length = PaperLengthUnits(order->remarkLines, static_cast<int>(order->sale.lines.size()),
                                        DetailRowUnits(table), BaseLengthUnits(which))
        + addedLines * kAddedLineUnits;
    report->setHeightUnits(length);
    // Rows added by wrapped texts (a long product name) lengthen the paper, so
    // that nothing runs onto a second page.
    const double grownMm = report->run().grownMm;
    if (grownMm > 0)
        report->setHeightUnits(length + static_cast<int>(std::ceil(ReportUnits::ToUnits(grownMm))));
    return report;
}

} // namespace

std::unique_ptr<Report> BuildReceipt(const ReceiptOrder &order)
{
    const auto which = ChooseReceipt(order.settings.pos, order.settings.modle);
    if (!which)
        return nullptr;
    return BuildReceipt(*which, ReportFor(order.withCustomer), order);
}

std::unique_ptr<Report> BuildReceipt(ReceiptTemplate which, ReceiptReport report, const ReceiptOrder &order)
{
    return Build(which, report, &order);
}

std::unique_ptr<Report> BuildReceiptLayout(ReceiptTemplate which, ReceiptReport report)
{
    return Build(which, report, nullptr);
}
