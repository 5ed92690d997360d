#pragma once

// The ticket's three totals over all its lines: quantity (数量), amount (金额)
// and amount after discount (折后).
struct TicketTotals
{
    long double quantity = 0;
    long double amount = 0;
    long double afterDiscount = 0;
};
