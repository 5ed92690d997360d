#pragma once

class RowSet;

// The ticket's three sums over all its lines, each held in fixed point with
// four decimals: quantity (数量), amount (金额) and amount after discount (折后).
// Empty values are left out.
struct TicketTotals
{
    long double quantity = 0;
    long double amount = 0;
    long double afterDiscount = 0;
};

TicketTotals SumTicketLines(const RowSet &lines);
