#pragma once

#include "checkout/Checkout.h"
#include "data/shop/SalesLedger.h"
#include "receipts/ReceiptOrder.h"

#include <QDateTime>
#include <QString>

class Session;
class ReceiptPrinter;

// A recorded sale's receipt printed again: as the sale was printed (its
// cashier, number, time, customer, lines, totals, paid, change and the parts
// of its payment), on the paper width, template and printer of the current
// settings, with the mark "重打" and the time of the reprint under the title.
// It records and changes nothing.

// The order that reprints a stored sale with the given settings at `at`.
ReceiptOrder ReprintOrder(const Sale &sale, const PrintSettings &settings, const QDateTime &at);

enum class ReprintOutcome {
    Printed,
    NoSale, // no ticket recorded under the number
    NoLines, // the ticket's lines are no longer stored
    NoTemplate, // the current settings choose no receipt template
};

// Prints one receipt of the sale recorded under `number`; a printing failure
// throws AppError as the printer does. The sale is read and its receipt built
// here; only the printer's work goes to `runJobs`, as a checkout's does.
ReprintOutcome ReprintSale(Session &session, ReceiptPrinter &printer, const QString &number, const QDateTime &at,
                           const Checkout::JobRunner &runJobs);
