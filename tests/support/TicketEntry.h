#pragma once

#include <QString>

class RowSet;

// Adds one line to the ticket being entered (a row set opened on it), with
// its figures as the counter's fields hold them.
void AddTicketLine(RowSet &lines, const QString &name, const QString &price, const QString &quantity,
                   const QString &amount, const QString &discounted);
