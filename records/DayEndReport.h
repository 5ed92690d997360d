#pragma once

#include "data/shop/DayEnd.h"
#include "data/shop/TicketFilter.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class Report;

// The day-end report as receipt paper: the span it covers and when it was
// made, the sales and the returns, the net number of tickets with their
// quantity, amount and discounted amount, the amount of each payment method,
// the deletions, each cashier's tickets, then the products sold,
// largest first. The
// paper is as wide as the receipts' ("58" or "76"; other widths print on 76)
// and as long as its content, on one page.
std::unique_ptr<Report> BuildDayEndReport(const DayEnd::Figures &figures, const QStringList &span,
                                          const QDateTime &madeAt, const QString &paperWidth);

// What a filter covers, a line each: a span of days from its first to its
// last second; for other filters, the searched texts and the times of the
// first and last ticket found.
QStringList DescribeSpan(const TicketFilter &filter, const DayEnd::Figures &figures);
