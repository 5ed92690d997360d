#pragma once

#include "printers/EscPosTarget.h"
#include "printers/PrinterConf.h"
#include "printers/ReceiptPrinter.h"

// Receipts on an ESC/POS printer, as raster images: each copy is one job and
// one cut piece; the cash drawer opens once per sale, after its last copy.
class EscPosPrinter : public ReceiptPrinter
{
public:
    // Throws AppError when the settings name no usable printer.
    explicit EscPosPrinter(const PrinterConf &conf);

    void print(const Report &receipt, const QString &jobName) override;
    void saleFinished() override;

private:
    EscPosTarget m_target;
    int m_dots;
    bool m_cut;
    bool m_drawer;
};
