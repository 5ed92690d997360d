#pragma once

#include "data/shop/TicketFilter.h"

#include <QString>
#include <QVariant>

#include <vector>

// A filter as the condition of a statement over xstj: the text that follows
// "where" (columns unqualified) and the values of its parameters ?1, ?2 ...
// For data/ only.
struct TicketCondition
{
    QString where;
    std::vector<QVariant> parameters;
};

TicketCondition ConditionOf(const TicketFilter &filter);
