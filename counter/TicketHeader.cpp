#include "counter/TicketHeader.h"

QString TicketNumber(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString TicketTime(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
