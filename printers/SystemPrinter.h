#pragma once

#include "printers/ReceiptPrinter.h"
#include "report/DefaultPrinter.h"

// Receipts on the system's default printer, one job each.
class SystemPrinter : public ReceiptPrinter
{
public:
    void print(const Report &receipt, const QString &jobName) override;

private:
    DefaultPrinter m_printer;
};
