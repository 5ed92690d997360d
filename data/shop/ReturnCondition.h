#pragma once

#include <QString>

// A return is a ticket of its own whose 原单号 names the sale it takes back and
// whose figures are negative. On a server, a sale sent again under a fresh
// number keeps the number it was refused under in 原单号 too, with its figures
// as sold: it is no return.
inline const QString kReturnCondition = QStringLiteral("(coalesce(原单号, '') <> '' and 数量 < 0)");

// The same test on a ticket's values, for a sale not stored yet.
inline bool IsReturnTicket(const QString &original, double quantity)
{
    return !original.isEmpty() && quantity < 0;
}
