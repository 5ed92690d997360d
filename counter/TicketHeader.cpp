#include "counter/TicketHeader.h"

QString TicketTime(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
