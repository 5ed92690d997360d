// A counter of a shop whose sales go to a server, for the tests that run
// several at once, stop the server under them or kill them:
//   sell <file> <url> <counter> <sales> [<pause ms>]
// First sends what an earlier run left waiting ("resumed <waiting>"), then
// records <sales> sales of 1 to 4 lines as the checkout does, each reported
// once it is recorded ("sold <number> <lines> <discounted total>") and then
// sent ("away" when the server does not answer). At the end it sends what
// waits, trying again while the server is away, and reports how many sales
// still wait ("done <waiting>"). An error the checkout would show ends it with
// "failed <message>".
#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/SaleRecord.h"
#include "data/store/RowSet.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "data/sync/TicketNumbers.h"
#include "tests/support/TicketEntry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

namespace {

constexpr int kFlushSeconds = 60;

void say(const QString &text)
{
    std::printf("%s\n", text.toUtf8().constData());
    std::fflush(stdout);
}

QString Money(qint64 cents)
{
    return QString::number(double(cents) / 100, 'f', 2);
}

void upload(Session &session)
{
    try {
        Outbox::Upload(session);
    } catch (const ServerAwayError &) {
        say(QStringLiteral("away"));
    }
}

// One sale of 1 to 4 lines, one piece each at a price of its own, some discounted.
void sellOne(Session &session, RowSet &lines)
{
    QRandomGenerator &random = *QRandomGenerator::global();
    const int count = random.bounded(1, 5);
    qint64 amount = 0, discounted = 0;
    CurrentTicket::Open(lines);
    for (int line = 0; line < count; ++line) {
        const qint64 price = random.bounded(100, 10000);
        const qint64 net = price - random.bounded(0, 2) * (price / 10);
        AddTicketLine(lines, QStringLiteral("商品%1").arg(line), Money(price), QStringLiteral("1"), Money(price),
                      Money(net));
        amount += price;
        discounted += net;
    }
    SaleTicket ticket;
    ticket.number = IssueTicketNumber(session);
    ticket.time = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ticket.quantity = QString::number(count);
    ticket.amount = Money(amount);
    ticket.discounted = Money(discounted);
    ticket.cashier = QStringLiteral("小王");
    ticket.paid = Money(discounted);
    ticket.change = QStringLiteral("0");
    RecordSale(session, ticket);
    say(QStringLiteral("sold %1 %2 %3").arg(ticket.number).arg(count).arg(ticket.discounted));
}

// Sends what waits until nothing does, or until the server has stayed away too long.
void flush(Session &session)
{
    const QDeadlineTimer deadline(kFlushSeconds * 1000);
    while (Outbox::Pending(session) > 0 && !deadline.hasExpired()) {
        try {
            Outbox::Upload(session);
        } catch (const ServerAwayError &) {
            QThread::msleep(100);
        }
    }
}

int sell(const QStringList &args)
{
    Session session;
    session.setConnectionString(args[2]);
    session.useServer({args[3], args[4].toInt()});
    session.open();
    say(QStringLiteral("resumed %1").arg(Outbox::Pending(session)));
    upload(session);
    CurrentTicket::Clear(session); // lines of a ticket a kill interrupted

    const int sales = args[5].toInt();
    const int pauseMs = args.size() > 6 ? args[6].toInt() : 0;
    RowSet lines(session);
    for (int sale = 0; sale < sales; ++sale) {
        sellOne(session, lines);
        upload(session);
        QThread::msleep(pauseMs);
    }
    flush(session);
    say(QStringLiteral("done %1").arg(Outbox::Pending(session)));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 6 || args[1] != QLatin1String("sell"))
        return 2;
    try {
        return sell(args);
    } catch (const AppError &error) {
        say(QStringLiteral("failed ") + QString(error.message()).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        return 1;
    }
}
