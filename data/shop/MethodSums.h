#pragma once

#include "base/Amount.h"

#include <QString>

#include <map>
#include <vector>

class Session;
struct TicketCondition;

struct MethodTotal
{
    QString method; // as stored; PaymentText::kUnrecorded for tickets without payment rows
    Amount amount;
};

// What tickets were paid with: their payment rows summed per method, and the
// tickets without rows (recorded before payments were kept) at their discounted
// amount, as unrecorded. Summed here in fixed point, so that a file and a
// server, adding in their own order, agree to the cent.
class MethodSums
{
public:
    // The stored tickets the condition picks, with their payment rows.
    void addStored(Session &session, const TicketCondition &tickets);
    void addPayment(const QString &method, double amount);
    void addUnrecorded(double discounted);

    std::vector<MethodTotal> totals() const; // by method name, the unrecorded last
    Amount cashTaken() const;
    Amount cashPaidBack() const; // as a positive sum

private:
    std::map<QString, FourDecimalSum> m_methods;
    FourDecimalSum m_cashTaken;
    FourDecimalSum m_cashPaidBack;
    FourDecimalSum m_unrecorded;
    bool m_anyUnrecorded = false;
};
