#pragma once

#include "base/Amount.h"
#include "data/shop/MethodSums.h"

#include <QDate>
#include <QString>

#include <vector>

class Session;

// The shift open at this counter: the tickets recorded after the last shift
// closed (on a server, only those with this counter's digits). Its figures are
// always summed from the stored sales, so a shift a crash left open closes as
// any other.
namespace Shift {

struct Report
{
    int number = 0; // 班次
    QString cashier; // of the shift's last ticket
    QString start; // the first ticket's time; the close when there is none
    QString end;
    int tickets = 0;
    Amount sales;
    Amount returns; // negative
    Amount net;
    std::vector<MethodTotal> methods; // by method name, the unrecorded last
    Amount openingFloat; // 备用金
    Amount cashTaken; // the 现金 rows of sales
    Amount cashPaidBack; // the 现金 rows of returns, as a positive sum
    Amount counted; // 现金实点, once counted

    Amount expectedCash() const { return openingFloat + cashTaken - cashPaidBack; }
    Amount difference() const { return counted - expectedCash(); } // over when positive
};

// "长款" when the drawer holds more than expected, "短款" when less, empty when even.
QString DifferenceName(Amount difference);

// The open shift's report as of now (its end), without the counted cash.
Report Current(Session &session);

// The float the open shift starts with: the one set for it, else the last shift's.
Amount OpeningFloat(Session &session);
// Sets the open shift's float (选项 → 备用金); kept in the counter's settings row.
void SetOpeningFloat(Session &session, Amount openingFloat);

// Records the shift as reported, with its float and counted cash; the next
// ticket opens a new shift. Closed shifts are never changed.
void Close(Session &session, const Report &report);

// A closed shift's report for a reprint: its stored span, cashier, float and
// count, its figures summed again over the recorded sales of its span.
Report Reported(Session &session, int number);

// A shift as 交班记录 keeps it.
struct ClosedShift
{
    int number = 0;
    QString cashier;
    QString start;
    QString end;
    Amount openingFloat;
    Amount expectedCash;
    Amount counted;
    Amount difference;
    int tickets = 0;
    Amount net;
};

// The closed shifts that ended within the days, latest first.
std::vector<ClosedShift> Closed(Session &session, QDate from, QDate to);

} // namespace Shift
