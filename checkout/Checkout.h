#pragma once

#include "checkout/Ticket.h"

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

    enum class Outcome { Recorded, EmptyTicket };
    Outcome run(const ReceiptOrder &order);

private:
    Connection &m_session;
    ReceiptPrinter &m_printer;
};
