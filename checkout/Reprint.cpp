#include "checkout/Reprint.h"

#include "data/shop/PrintSettings.h"
#include "printers/ReceiptPrinter.h"
#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptFigures.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"

ReceiptOrder ReprintOrder(const StoredSale &sale, const PrintSettings &settings, const QDateTime &at)
{
    ReceiptOrder order;
    order.settings = settings;
    order.remarkLines = static_cast<int>(MemoLines(settings.remark).size());
    order.withCustomer = !sale.customer.isEmpty() || !sale.phone.isEmpty() || !sale.address.isEmpty();
    order.reprintMark = QStringLiteral("重打 %1").arg(at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));

    Ticket &ticket = order.ticket;
    ticket.number = sale.number;
    ticket.time = sale.time;
    ticket.cashier = sale.cashier;
    ticket.customer = sale.customer;
    ticket.phone = sale.phone;
    ticket.address = sale.address;
    ticket.lines = sale.lines;
    ticket.totalQuantity = sale.totalQuantity;
    ticket.totalAmount = sale.totalAmount;
    ticket.totalDiscounted = sale.totalDiscounted;
    ticket.paid = sale.paid;
    ticket.change = sale.change;
    return order;
}

ReprintOutcome ReprintSale(Session &session, ReceiptPrinter &printer, const QString &number, const QDateTime &at,
                           const Checkout::JobRunner &runJobs)
{
    if (number.isEmpty())
        return ReprintOutcome::NoSale;
    const std::optional<StoredSale> sale = SalesLedger::FindSale(session, number);
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
