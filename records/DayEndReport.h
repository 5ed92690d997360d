#pragma once

#include "data/shop/DayEnd.h"
#include "data/shop/TicketFilter.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <memory>

class Report;

// The days a day-end covers: those of the listed tickets when they are
// filtered by date, else today alone.
TicketFilter DayEndSpan(const TicketFilter &listed, const QDate &today);

// "日结报表 <day>" for one day, "销售报表 <first> 至 <last>" for several.
QString DayEndTitle(const TicketFilter &span);

// The day-end report over a span of days (a Between filter) as receipt paper:
// its title, first and last second and when it was made, the sales and the
// returns, the net number of tickets with their quantity, amount and
// discounted amount, the amount of each payment method, the deletions, each
// cashier's tickets, then the products sold, largest first, each name on a
// line of its own above its figures. The paper is as wide as the receipts'
// ("58" or "76"; other widths print on 76) and as long as its content plus the
// margins, on one page.
std::unique_ptr<Report> BuildDayEndReport(const DayEnd::Figures &figures, const TicketFilter &span,
                                          const QDateTime &madeAt, const QString &paperWidth);
