#pragma once

#include "base/Amount.h"
#include "sale/Sale.h"

#include <QString>

#include <vector>

// One method's amount as typed in the payment dialog; empty for none.
struct TypedPart
{
    PaymentMethod method;
    QString text;
};

// The parts that settle a payable, or why they cannot.
struct PaymentSplit
{
    std::vector<Payment> parts; // the non-zero parts, in the order typed
    QString refusal; // empty when the parts settle the payable
};

// Checks the typed parts against the payable: each must be a number, not
// negative and within the shop's limit; the parts other than cash, taken in
// order, may never go beyond what is still owed; all together must reach the
// payable. Only cash may go beyond it: the excess is the change.
PaymentSplit SplitPayment(Amount payable, const std::vector<TypedPart> &typed);

// The sum of the parts that read as numbers, the others left out: what the
// dialog shows as owed and offers as the remainder while the cashier types.
Amount TypedSum(const std::vector<TypedPart> &typed);
