#pragma once

#include "base/Amount.h"
#include "data/shop/MethodSums.h"
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

// What the deletion journal holds for the span.
struct Deletions
{
    int tickets = 0;
    int lines = 0;
    Amount discounted; // of the deleted tickets
};

struct Figures
{
    Totals all; // the net: sales and returns together
    Totals sales;
    Totals returns; // with their negative figures
    std::vector<MethodTotal> methods; // by method name, the unrecorded last
    Deletions deleted;
    std::vector<CashierTotals> cashiers; // by cashier name
    std::vector<ProductSold> products; // the lines of those tickets, largest discounted amount first
    QString firstTime; // the earliest and latest ticket time; empty without tickets
    QString lastTime;
};

// The tickets' count and sums, of all and of sales and returns apart, the same
// per cashier, the products sold on them, the amount paid per method, and the
// deletions journaled whose time, number or cashier the filter covers.
Figures Sum(Session &session, const TicketFilter &filter);

struct DaySales
{
    QDate day;
    double sales = 0; // discounted, as all figures here
    double returns = 0;
    double net = 0;
    int tickets = 0;
};

// The sales, returns, net and the number of tickets of each day: every day of a
// date span, or from the first to the last day with a sale for other filters;
// days without sales are present with zeros.
std::vector<DaySales> SalesPerDay(Session &session, const TicketFilter &filter);

} // namespace DayEnd
