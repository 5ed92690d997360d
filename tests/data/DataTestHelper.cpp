// A second program on a data file, for the tests that need two processes:
//   hold <file>        starts as the program does: holds the file (making it when there is
//                      none) and empties the ticket ("held") and waits, or prints the
//                      message the user would see
//   lock <file> <ms>   keeps the file write-locked for <ms> ("locked"), then commits
//   sell <file>        reports the state an earlier kill left ("checked <intact> <faults>"),
//                      records the sale the kill interrupted, then records sales until
//                      killed ("selling" after the first), pausing as a receipt prints
//                      between writing each sale and committing it
//   counter <file> <url> <counter>
//                      a counter of a shop with a server: sends what an earlier run left
//                      waiting ("resumed <waiting>"), then records and sends sales of 1 to
//                      4 lines until killed ("sold <number> <lines> <discounted total>")
// Another error the user would see ends a role with "failed <message>". With "other" as the
// last argument, the role runs as an unprivileged user when run as root.
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
#include <QRandomGenerator>
#include <QThread>

#include <cstdio>

#include <unistd.h>

namespace {

void say(const QString &text)
{
    std::printf("%s\n", QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8().constData());
    std::fflush(stdout);
}

int hold(Session &session)
{
    try {
        session.holdFile();
        session.open();
        CurrentTicket::Clear(session);
    } catch (const DataError &error) {
        say(error.message());
        return 1;
    }
    say("held");
    QThread::sleep(60);
    return 0;
}

int lockFor(Session &session, int ms)
{
    session.exec("BEGIN EXCLUSIVE");
    say("locked");
    QThread::msleep(ms);
    session.exec("COMMIT");
    return 0;
}

// The ticket's lines are named "<number>/<line>", so that lines a kill left
// behind tell which sale they belong to.
void recordTicket(Session &session, RowSet &lines, const QString &number)
{
    CurrentTicket::Open(lines);
    Sale ticket;
    ticket.number = number;
    ticket.lines = CurrentTicket::Lines(session);
    PendingSale pending(session, ticket);
    QThread::usleep(QRandomGenerator::global()->bounded(0, 3000)); // the receipt printing
    pending.commit();
}

int sell(Session &session)
{
    session.open(); // rolls back what a killed run left half-written
    RowSet check(session);
    check.setStatement("PRAGMA integrity_check");
    check.open();
    const bool intact = check.textAt(0, 0) == QLatin1String("ok"); // else a row per fault
    // Each ticket's 数量 is the number of its lines, each ticket is recorded
    // once, and lines left on the ticket belong to a sale not recorded.
    check.setStatement(QStringLiteral("select (select count(*) from xstj t where t.数量 <> "
                                      "(select count(*) from xsmx m where m.单号 = t.单号))"
                                      " + (select count(*) - count(distinct 单号) from xstj)"
                                      " + (select count(*) from xsxx where substr(品名, 1, "
                                      "instr(品名, '/') - 1) in (select 单号 from xstj))"));
    check.open();
    say(QStringLiteral("checked %1 %2").arg(intact ? 1 : 0).arg(check.textAt(0, 0)));

    RowSet lines(session);
    CurrentTicket::Open(lines);
    if (lines.recordCount() > 0) // the sale the kill interrupted, printed again
        recordTicket(session, lines, lines.textAt(0, lines.columnIndex("品名")).section(u'/', 0, 0));
    for (int sale = 0;; ++sale) {
        const QString number = QStringLiteral("%1-%2").arg(getpid()).arg(sale);
        for (int line = 0; line < 1 + sale % 4; ++line)
            AddTicketLine(lines, QStringLiteral("%1/%2").arg(number).arg(line), "2.5", "1", "2.5", "2.5");
        recordTicket(session, lines, number);
        if (sale == 0)
            say("selling");
        CurrentTicket::Open(lines);
    }
}

// One sale of 1 to 4 lines, one piece each at a price of its own, some discounted.
void sellOne(Session &session, RowSet &lines)
{
    QRandomGenerator &random = *QRandomGenerator::global();
    const auto money = [](qint64 cents) { return QString::number(double(cents) / 100, 'f', 2); };
    const int count = random.bounded(1, 5);
    qint64 discounted = 0;
    CurrentTicket::Open(lines);
    for (int line = 0; line < count; ++line) {
        const qint64 price = random.bounded(100, 10000);
        const qint64 net = price - random.bounded(0, 2) * (price / 10);
        AddTicketLine(lines, QStringLiteral("商品%1").arg(line), money(price), "1", money(price), money(net));
        discounted += net;
    }
    Sale ticket;
    ticket.number = IssueTicketNumber(session);
    ticket.time = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss");
    ticket.lines = CurrentTicket::Lines(session);
    RecordSale(session, ticket);
    say(QStringLiteral("sold %1 %2 %3").arg(ticket.number).arg(count).arg(money(discounted)));
}

int sellOnServer(Session &session)
{
    session.open();
    say(QStringLiteral("resumed %1").arg(Outbox::Pending(session)));
    CurrentTicket::Clear(session); // lines of a ticket a kill interrupted
    for (RowSet lines(session);; sellOne(session, lines)) {
        try {
            Outbox::Upload(session);
        } catch (const ServerAwayError &) {
            // A busy machine may keep the server past its time limit: the sale waits for the next upload.
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool asNobody = args.last() == QLatin1String("other") && geteuid() == 0;
    if (args.size() < 3 || (asNobody && (setgid(65534) != 0 || setuid(65534) != 0)))
        return 2;
    const QString &mode = args[1];
    Session session;
    session.setConnectionString(args[2]);
    try {
        if (mode == QLatin1String("hold"))
            return hold(session);
        if (mode == QLatin1String("lock") && args.size() > 3)
            return lockFor(session, args[3].toInt());
        if (mode == QLatin1String("sell"))
            return sell(session);
        if (mode == QLatin1String("counter") && args.size() > 4) {
            session.useServer({args[3], args[4].toInt()});
            return sellOnServer(session);
        }
    } catch (const AppError &error) {
        say(QStringLiteral("failed ") + error.message());
        return 1;
    }
    return 2;
}
