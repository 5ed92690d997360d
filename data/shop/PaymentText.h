#pragma once

#include "base/Amount.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class Session;

// How the reports show the way a ticket was paid, from its rows of zfmx.
namespace PaymentText {

// What a ticket without payment rows shows: it was recorded before they were kept.
inline const QString kUnrecorded = QStringLiteral("未记录");

// A ticket's methods as one text, "微信 20 / 现金 5.4": each method as stored
// with its amount, in the order the rows were recorded; kUnrecorded without rows.
QString Of(const std::vector<std::pair<QString, Amount>> &payments);

// The text of each ticket number of a page of a list (in any order, repeats
// and nulls allowed).
std::vector<QString> OfTickets(Session &session, const std::vector<QVariant> &numbers);

} // namespace PaymentText
