#include "checkout/Reprint.h"

#include "data/shop/PrintSettings.h"
#include "printers/ReceiptPrinter.h"
#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"

ReceiptOrder ReprintOrder(const Sale &sale, const PrintSettings &settings, const QDateTime &at)
{
    ReceiptOrder order = RecordedSaleOrder(sale, settings);
    order.reprintMark = QStringLiteral("重打 %1").arg(at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return order;
}

ReprintOutcome ReprintSale(Session &session, ReceiptPrinter &printer, const QString &number, const QDateTime &at,
                           const Checkout::JobRunner &runJobs)
{
    if (number.isEmpty())
        return ReprintOutcome::NoSale;
    const std::optional<Sale> sale = SalesLedger::FindSale(session, number);
    if (!sale)
        return ReprintOutcome::NoSale;
    if (sale->lines.empty())
        return ReprintOutcome::NoLines;
    const std::unique_ptr<Report> receipt = BuildReceipt(ReprintOrder(*sale, LoadPrintSettings(session), at));
    if (!receipt)
        return ReprintOutcome::NoTemplate;
    runJobs({[&] { printer.print(*receipt, number); }});
    return ReprintOutcome::Printed;
}
