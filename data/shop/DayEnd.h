#pragma once

#include "data/shop/TicketFilter.h"

#include <QDate>
#include <QString>

#include <vector>

class Session;

// Sums over the recorded tickets a filter covers, for the day-end report and
// the sales chart. Figures are the sums of the stored numbers.
namespace DayEnd {

struct Totals
{
    int tickets = 0;
    double quantity = 0;
    double amount = 0;
    double discounted = 0;
};

struct CashierTotals
{
    QString cashier;
    Totals totals;
};

struct ProductSold
{
    QString name;
    double quantity = 0;
    double discounted = 0;
};

struct Figures
{
    Totals all;
    std::vector<CashierTotals> cashiers; // by cashier name
    std::vector<ProductSold> products; // the lines of those tickets, largest discounted amount first
    QString firstTime; // the earliest and latest ticket time; empty without tickets
    QString lastTime;
};

// The tickets' count and sums, the same per cashier, and the products sold on them.
Figures Sum(Session &session, const TicketFilter &filter);

struct DaySales
{
    QDate day;
    double discounted = 0;
    int tickets = 0;
};

// The discounted sales and the number of tickets of each day: every day of a
// date span, or from the first to the last day with a sale for other filters;
// days without sales are present with zeros.
std::vector<DaySales> SalesPerDay(Session &session, const TicketFilter &filter);

} // namespace DayEnd
