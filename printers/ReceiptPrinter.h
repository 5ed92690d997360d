#pragma once

#include <QString>

class Report;

// Where receipts go: the system printer, a receipt printer, a file. Each call
// is one job; a failure throws AppError with a message for the user. The
// checkout may call them on a worker thread, one call at a time: they use no
// connection and no widget.
class ReceiptPrinter
{
public:
    virtual ~ReceiptPrinter() = default;
    virtual void print(const Report &receipt, const QString &jobName) = 0;
    // Called once per sale after it is stored (a receipt printer opens the
    // cash drawer here). Throws AppError like print().
    virtual void saleFinished() { }
};
