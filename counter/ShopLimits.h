#pragma once

#include "base/Amount.h"
#include "counter/TicketTotals.h"

#include <QString>

// The largest number a shop's figure may hold, in absolute value. Prices,
// quantities, amounts, totals and payments beyond it (or not finite at all)
// are refused before anything is stored, so no sum overflows and no receipt
// prints a figure that is plainly wrong.
inline constexpr long double kShopNumberLimit = Amount::kLimit;

// The warning for a figure beyond the limit, naming its field; empty when it is fine.
QString ShopNumberWarning(long double value, const QString &field);

// A line's four figures as entered.
struct LineFigures
{
    long double price = 0;
    long double quantity = 0;
    long double amount = 0;
    long double discounted = 0;
};

// The first warning for a line whose own figures, or the ticket's totals once
// it joins the other lines, go beyond the limit; empty when all are fine.
QString LineLimitWarning(const LineFigures &line, const TicketTotals &otherLines);
