#pragma once

#include "printers/PrinterConf.h"
#include "printers/ReceiptPrinter.h"

#include <QString>

// The printer the machine's printer.conf chooses, read afresh at every
// receipt, so that a change in the set-up takes effect at the next sale: the
// system printer it is given, or an ESC/POS printer. The end of a sale (the
// drawer) goes where its receipts went; a sale that printed none reads the file.
class ConfiguredPrinter : public ReceiptPrinter
{
public:
    explicit ConfiguredPrinter(ReceiptPrinter &systemPrinter, const QString &confPath = PrinterConfPath());

    void print(const Report &receipt, const QString &jobName) override;
    void saleFinished() override;

private:
    ReceiptPrinter &m_systemPrinter;
    QString m_confPath;
    PrinterConf m_saleConf;
    bool m_salePrinted = false;
};
