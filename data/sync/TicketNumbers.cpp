#include "data/sync/TicketNumbers.h"

#include "data/store/Session.h"

namespace {
const QString kMomentFormat = QStringLiteral("yyyyMMddHHmmss");
}

QString IssueTicketNumber(Session &session, const QDateTime &moment)
{
    if (!session.hasServer())
        return moment.toString(kMomentFormat);

    Transaction transaction(session.file());
    QString previous;
    bool hasLast = false;
    {
        Statement last(session.file(), QStringLiteral("select 单号 from issued_number"));
        hasLast = last.step();
        if (hasLast)
            previous = last.value(0).toString().left(14);
    }
    QString moment14 = moment.toString(kMomentFormat);
    const QDateTime last = QDateTime::fromString(previous, kMomentFormat);
    if (last.isValid() && moment14 <= previous) // the same digits sort as the moments do
        moment14 = last.addSecs(1).toString(kMomentFormat);
    const QString number = moment14 + QStringLiteral("%1").arg(session.counterNumber(), 2, 10, QLatin1Char('0'));
    session.exec(hasLast ? QStringLiteral("update issued_number set 单号 = ?1")
                         : QStringLiteral("insert into issued_number (单号) values (?1)"),
                 {number});
    transaction.commit();
    return number;
}
