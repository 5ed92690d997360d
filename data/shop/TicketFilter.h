#pragma once

#include <QDate>
#include <QString>

// Which recorded tickets of xstj a listing, a day-end report or a chart
// covers: every ticket, those whose number and cashier contain given texts, or
// those begun within a span of days. One value serves every query, so that
// they always agree on the tickets.
struct TicketFilter
{
    enum class Kind { All, Matching, Between };

    // Every ticket.
    static TicketFilter All();
    // Tickets with a number, narrowed by each non-empty text: the number and
    // the cashier must each contain their text, taken literally.
    static TicketFilter Matching(const QString &number, const QString &cashier);
    // Tickets begun on any day from `from` to `to`, both days included.
    static TicketFilter Between(const QDate &from, const QDate &to);

    Kind kind = Kind::All;
    QString number;
    QString cashier;
    QDate from;
    QDate to;
};
