#pragma once

#include <QDateTime>
#include <QString>

// The ticket number: the moment as 14 digits "yyyymmddhhmmss".
QString TicketNumber(const QDateTime &moment = QDateTime::currentDateTime());
// The ticket time as shown and stored: "yyyy-mm-dd hh:mm:ss".
QString TicketTime(const QDateTime &moment = QDateTime::currentDateTime());
