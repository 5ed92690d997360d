#include "checkout/Checkout.h"

#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/PrintSettings.h"
#include "data/shop/SaleRecord.h"
#include "printers/ReceiptPrinter.h"
#include "receipts/ReceiptFigures.h"
#include "receipts/ReceiptRenderer.h"
#include "report/Report.h"

namespace {

void RunHere(const std::vector<Checkout::Job> &jobs)
{
    for (const Checkout::Job &job : jobs)
        job();
}

} // namespace

ReceiptOrder RecordedSaleOrder(const Sale &sale, const PrintSettings &settings)
{
    ReceiptOrder order;
    order.sale = sale;
    order.settings = settings;
    order.remarkLines = static_cast<int>(MemoLines(settings.remark).size());
    order.withCustomer = !sale.customer.isEmpty() || !sale.phone.isEmpty() || !sale.address.isEmpty();
    return order;
}

Checkout::Checkout(Session &session, ReceiptPrinter &printer)
    : m_session(session)
    , m_printer(printer)
    , m_runJobs(RunHere)
{ }

Checkout::Result Checkout::run(ReceiptOrder order)
{
    // The settings are kept even when the ticket turns out empty.
    SavePrintSettings(m_session, order.settings);
    order.sale.lines = CurrentTicket::Lines(m_session);
    if (order.sale.lines.empty())
        return {Outcome::EmptyTicket, {}};

    return record(order, EnteredTicket::Cleared, ChooseReceipt(order.settings.pos, order.settings.modle),
                  ChoosePrintRun(order.withCustomer, order.settings.print));
}

Checkout::Result Checkout::runReturn(const Sale &saleReturn)
{
    const ReceiptOrder order = RecordedSaleOrder(saleReturn, LoadPrintSettings(m_session));
    return record(order, EnteredTicket::Kept, ChooseReceipt(order.settings.pos, order.settings.modle),
                  {ReportFor(order.withCustomer), 1});
}

Checkout::Result Checkout::record(const ReceiptOrder &order, EnteredTicket entered,
                                  std::optional<ReceiptTemplate> which, PrintRun run)
{
    // A sale that could not be stored gets no receipt: it is on the disk,
    // uncommitted, before anything prints.
    CheckSale(order.sale);
    PendingSale pending(m_session, order.sale, entered);

    // Settings that match no template print nothing. A receipt that fails to
    // print rolls the sale back, leaving the ticket as it was.
    if (which) {
        const std::unique_ptr<Report> receipt = BuildReceipt(*which, run.report, order);
        const Job copy = [this, &receipt, &order] { m_printer.print(*receipt, order.sale.number); };
        m_runJobs(std::vector<Job>(size_t(run.copies), copy));
        if (m_receiptFilled)
            m_receiptFilled(*which, order);
    }
    pending.commit();

    // Once per sale, printed or not, and only for a stored sale that takes
    // or pays back cash: a receipt printer opens its cash drawer.
    if (!order.sale.movesCash())
        return {Outcome::Recorded, {}};
    try {
        m_runJobs({[this] { m_printer.saleFinished(); }});
    } catch (const AppError &error) {
        return {Outcome::Recorded, error.message()};
    }
    return {Outcome::Recorded, {}};
}
