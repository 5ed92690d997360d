#pragma once

#include "data/shop/Shift.h"

#include <QString>
#include <QStringList>

#include <memory>

class Report;

// The shift's report a line each, as the 交班 window shows it and the slip
// prints it: number, cashier, span, tickets, sales, returns, net, each
// method, the float, the cash expected, counted and the difference.
QStringList ShiftReportLines(const Shift::Report &shift);

// The lines on receipt paper as wide as the receipts' ("58" or "76"; other
// widths print on 76) and as long as its content.
std::unique_ptr<Report> BuildShiftReport(const QStringList &lines, const QString &paperWidth);
