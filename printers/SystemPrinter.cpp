#include "printers/SystemPrinter.h"

void SystemPrinter::print(const Report &receipt, const QString &jobName)
{
    m_printer.print(receipt, jobName);
}
