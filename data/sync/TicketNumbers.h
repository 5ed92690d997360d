#pragma once

#include <QDateTime>
#include <QString>

class Session;

// The number of a new ticket: its moment as the 14 digits "yyyyMMddHHmmss".
// At a counter of a shop with a server, the counter's two digits follow, so
// that counters never share a number, and the moment is moved on past the
// last number this counter gave, so that two tickets begun within one second
// never share one either (the server keeps each number once).
QString IssueTicketNumber(Session &session, const QDateTime &moment = QDateTime::currentDateTime());
