#pragma once

#include <QDateTime>
#include <QString>

// The ticket time as shown and stored: "yyyy-mm-dd hh:mm:ss".
QString TicketTime(const QDateTime &moment = QDateTime::currentDateTime());
