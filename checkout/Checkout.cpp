#include "checkout/Checkout.h"

#include "checkout/ReceiptPrinter.h"
#include "checkout/ReceiptRenderer.h"
#include "data/CurrentTicket.h"
#include "data/PrintSettings.h"
#include "data/SaleRecord.h"
#include "report/Report.h"

namespace {

SaleTicket SaleOf(const Ticket &ticket)
{
    SaleTicket sale;
    sale.number = ticket.number;
    sale.time = ticket.time;
    sale.quantity = ticket.totalQuantity;
    sale.amount = ticket.totalAmount;
    sale.discounted = ticket.totalDiscounted;
    sale.cashier = ticket.cashier;
    sale.customer = ticket.customer;
    sale.phone = ticket.phone;
    sale.address = ticket.address;
    sale.paid = ticket.paid;
    sale.change = ticket.change;
    return sale;
}

} // namespace

Checkout::Checkout(Connection &session, ReceiptPrinter &printer)
    : m_session(session)
    , m_printer(printer)
{ }

Checkout::Outcome Checkout::run(ReceiptOrder order)
{
    // The settings are kept even when the ticket turns out empty.
    SavePrintSettings(m_session, order.settings);
    order.ticket.lines = CurrentTicket::Lines(m_session);
    if (order.ticket.lines.empty())
        return Outcome::EmptyTicket;

    // A sale that could not be stored gets no receipt.
    const SaleTicket sale = SaleOf(order.ticket);
    CheckSale(sale);

    // The receipt prints before the sale is stored, so that a printing error
    // leaves the ticket as it is. Settings that match no template print nothing.
    if (const auto which = ChooseReceipt(order.settings.pos, order.settings.modle)) {
        const PrintRun run = ChoosePrintRun(order.withCustomer, order.settings.print);
        const std::unique_ptr<Report> receipt = BuildReceipt(*which, run.report, order);
        for (int copy = 0; copy < run.copies; ++copy)
            m_printer.print(*receipt, order.ticket.number);
        if (m_receiptFilled)
            m_receiptFilled(*which, order);
    }
    // Once per sale, printed or not: a receipt printer opens its cash drawer.
    m_printer.saleFinished();

    // The sale, its lines and the emptying of the ticket are stored as one.
    RecordSale(m_session, sale);
    return Outcome::Recorded;
}
