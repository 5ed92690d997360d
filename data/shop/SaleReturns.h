#pragma once

#include "sale/Sale.h"

#include <QDateTime>
#include <QString>

#include <vector>

class Session;

// Returns (退货): a return is a ticket of its own whose negative lines take
// back part of one recorded sale, named in its 原单号. A line of the sale can
// be returned up to the quantity sold, less what earlier returns took back.
//
// The lines of earlier returns are matched to the sale's lines by 品名 and 单价,
// in the sale's order: a returned quantity is taken off the first such line
// that still has some left, the rest off the next ones, and what none can take
// stays on the last one (so that it shows as over-returned, never as lost).
namespace SaleReturns {

// One line of a sale as a return sees it.
struct ReturnableLine
{
    SaleLine sold;
    Amount returned; // the quantity earlier returns took back
    Amount returnedDiscounted; // their 折后, positive
    Amount left() const { return sold.quantity - returned; }
};

// A recorded sale and what can still be returned of each of its lines.
struct Returnable
{
    Sale sale;
    std::vector<ReturnableLine> lines;
};

// The sale recorded under `number` and what its returns took back so far.
// Throws DataError with the reason when nothing of it can be returned: no
// such sale, a return, or a sale whose lines are gone.
Returnable Find(Session &session, const QString &number);

// The return of the quantities typed, one text per line of the sale (empty or
// 0: none of that line), paid back in one part by `method`. Each line's 数量,
// 金额 (单价 × 数量) and 折后 (the sale's 折后 in proportion; all that is left
// of it when the rest of the line goes back) are negative. It gets its own
// number at `at`, the cashier of the print settings and the sale's customer.
// Throws DataError naming the product when a quantity is no positive number
// or beyond what is left, and when no line is returned.
Sale Build(Session &session, const Returnable &returnable, const std::vector<QString> &quantities, PaymentMethod method,
           const QDateTime &at = QDateTime::currentDateTime());

// Throws DataError when the return takes back more of its sale than is still
// left, as Find() and Build() would refuse it: checked again in the recording's
// transaction, since another window or counter may have returned meanwhile.
void RequireReturnable(Session &session, const Sale &saleReturn);

// A return recorded against a sale, as the detail window lists it.
struct Recorded
{
    QString number;
    QString time;
    Amount discounted;
};
// The returns made against the sale recorded under `number`, oldest first.
std::vector<Recorded> MadeAgainst(Session &session, const QString &number);

} // namespace SaleReturns
