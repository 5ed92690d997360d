#pragma once

#include "printers/PrinterConf.h"

#include <QString>

// Whether a receipt template of the counter's paper width ("58", "76") fits
// the ESC/POS printer's printable dots: a warning when it would be scaled to
// them (a 76 mm receipt on 58 mm paper, or the other way), else nothing.
QString PaperWidthWarning(const PrinterConf &conf, const QString &paperWidth);
