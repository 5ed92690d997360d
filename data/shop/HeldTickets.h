#pragma once

#include "base/Amount.h"

#include <QString>

#include <vector>

class Session;

// Who a ticket is for, as the counter's header holds it.
struct TicketCustomer
{
    QString name, phone, address;
};

// A parked ticket as the recall list shows it.
struct HeldTicket
{
    QString id; // the hold's own number
    QString time; // when it was held
    QString firstProduct;
    int lineCount = 0;
    Amount total; // after discount
};

// Tickets parked at the counter (gdxx) while the next customer is served: one
// row per line, with the ticket's customer, under the hold's own number and time.
// They stay in the counter's own data file and are no sale until printed.
namespace HeldTickets {

// More are refused: a counter is no store room.
constexpr int kMost = 20;

int Count(Session &session);
// Moves the ticket being entered (xsxx) into the held ones, as one whole.
void Hold(Session &session, const QString &time, const TicketCustomer &customer);
// Oldest first.
std::vector<HeldTicket> List(Session &session);
// Moves a held ticket's lines back into the ticket being entered, under its
// number and time, as one whole; returns whom the ticket is for.
TicketCustomer Recall(Session &session, const QString &id, const QString &ticketNumber, const QString &time);

} // namespace HeldTickets
