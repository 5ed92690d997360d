#pragma once

#include "data/shop/SaleRecord.h"
#include "receipts/CheckoutPlan.h"
#include "receipts/ReceiptOrder.h"

#include <functional>
#include <vector>

class Session;
class ReceiptPrinter;

// The order that prints a recorded sale with `settings`: its customer block
// when it names a customer, the remark as the settings hold it.
ReceiptOrder RecordedSaleOrder(const Sale &sale, const PrintSettings &settings);

// The Print button's work, on a sale value: saves the settings, records the
// sale with its lines and payments while emptying the current ticket, prints
// the receipt the settings choose as often as the copies say, and opens the
// cash drawer when cash changes hands.
// The sale is written before printing and committed only once the receipt has
// printed, so a sale that cannot be stored prints nothing, a receipt that
// fails to print stores nothing of the sale, and the drawer opens only for a
// stored sale.
class Checkout
{
public:
    Checkout(Session &session, ReceiptPrinter &printer);

    // Told of the order whenever a template was filled for it (copies or not),
    // so that the template's preview can show the last receipt.
    using ReceiptFilled = std::function<void(ReceiptTemplate which, const ReceiptOrder &order)>;
    void setReceiptFilled(ReceiptFilled handler) { m_receiptFilled = std::move(handler); }

    // Runs the printer's jobs of a sale in order and returns once all are done,
    // throwing the first failure (the later jobs are not run). The jobs touch
    // no connection, so a window may run them on a worker thread and wait in
    // its event loop; nothing may write through the session meanwhile. By
    // default they run on the calling thread.
    using Job = std::function<void()>;
    using JobRunner = std::function<void(const std::vector<Job> &jobs)>;
    void setJobRunner(JobRunner runner) { m_runJobs = std::move(runner); }

    enum class Outcome { Recorded, EmptyTicket };
    struct Result
    {
        Outcome outcome;
        QString drawerProblem; // why the drawer of a recorded sale did not open; empty when it did
    };
    // The order's lines are read from the current ticket after the settings
    // are saved: the receipt shows what is recorded. On Recorded the caller
    // starts the next ticket. Throws AppError when the sale is not recorded.
    Result run(ReceiptOrder order);
    // A return (退货): recorded once what is left of its sale allows it,
    // leaving the ticket being entered alone; one 退货单 printed on the
    // template of the current settings; the drawer opened when cash goes back.
    // Throws AppError when the return is not recorded.
    Result runReturn(const Sale &saleReturn);

private:
    // Records the order's sale, prints the run of `which` (none: nothing),
    // commits, and opens the drawer when cash changes hands.
    Result record(const ReceiptOrder &order, EnteredTicket entered, std::optional<ReceiptTemplate> which, PrintRun run);

    Session &m_session;
    ReceiptPrinter &m_printer;
    ReceiptFilled m_receiptFilled;
    JobRunner m_runJobs;
};
