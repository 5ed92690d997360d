#pragma once

#include "checkout/CheckoutPlan.h"
#include "checkout/Ticket.h"

#include <functional>

class Connection;
class ReceiptPrinter;

// The Print button's work, on a ticket value: saves the settings, prints the
// receipt the settings choose as often as the copies say, and records the sale
// with its lines while emptying the current ticket, as one whole. A receipt
// that fails to print, or a sale that could not be stored, throws before
// anything of the sale is stored.
class Checkout
{
public:
    Checkout(Connection &session, ReceiptPrinter &printer);

    // Told of the order whenever a template was filled for it (copies or not),
    // so that the template's preview can show the last receipt.
    using ReceiptFilled = std::function<void(ReceiptTemplate which, const ReceiptOrder &order)>;
    void setReceiptFilled(ReceiptFilled handler) { m_receiptFilled = std::move(handler); }

    enum class Outcome { Recorded, EmptyTicket };
    // The order's lines are read from the current ticket after the settings
    // are saved: the receipt shows what is recorded. On Recorded the caller
    // starts the next ticket.
    Outcome run(ReceiptOrder order);

private:
    Connection &m_session;
    ReceiptPrinter &m_printer;
    ReceiptFilled m_receiptFilled;
};
