#include "printers/ConfiguredPrinter.h"

#include "printers/EscPosPrinter.h"

ConfiguredPrinter::ConfiguredPrinter(ReceiptPrinter &systemPrinter, const QString &confPath)
    : m_systemPrinter(systemPrinter)
    , m_confPath(confPath)
{ }

void ConfiguredPrinter::print(const Report &receipt, const QString &jobName)
{
    m_saleConf = LoadPrinterConf(m_confPath);
    m_salePrinted = true;
    if (m_saleConf.kind == PrinterConf::Kind::EscPos)
        EscPosPrinter(m_saleConf).print(receipt, jobName);
    else
        m_systemPrinter.print(receipt, jobName);
}

void ConfiguredPrinter::saleFinished()
{
    const PrinterConf conf = m_salePrinted ? m_saleConf : LoadPrinterConf(m_confPath);
    m_salePrinted = false;
    if (conf.kind == PrinterConf::Kind::EscPos)
        EscPosPrinter(conf).saleFinished();
    else
        m_systemPrinter.saleFinished();
}
