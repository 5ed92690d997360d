// Times a checkout at a counter whose shop keeps its sales on a server: a
// 20-line ticket recorded (into the counter's outbox, emptying the ticket) and
// sent up, against the tests' private PostgreSQL server on a Unix socket. The
// server writes to memory without flushing, so a server on its own disk and
// across a network adds its commit and the round trips to these figures.
#include "bench/support/BenchDataFile.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/SaleRecord.h"
#include "data/store/RowSet.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "data/sync/TicketNumbers.h"
#include "tests/support/TempPostgres.h"
#include "tests/support/TicketEntry.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

constexpr int kTicketLines = 20;
constexpr int kWarmUp = 5; // the first connection makes the server's tables
constexpr int kSales = 200;
constexpr double kTargetMs = 20;

// Twenty lines entered as the counter enters them, and the ticket they make.
Sale EnterTicket(Session &session, RowSet &lines)
{
    CurrentTicket::Open(lines);
    for (int line = 0; line < kTicketLines; ++line)
        AddTicketLine(lines, QStringLiteral("商品%1").arg(line), QStringLiteral("12.5"), QStringLiteral("1"),
                      QStringLiteral("12.5"), QStringLiteral("11.25"));
    Sale ticket;
    ticket.number = IssueTicketNumber(session);
    ticket.time = QStringLiteral("2026-12-09 10:20:30");
    ticket.lines = CurrentTicket::Lines(session);
    ticket.cashier = QStringLiteral("王芳");
    ticket.paid = QStringLiteral("300");
    return ticket;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Slowest(const std::vector<double> &values)
{
    return *std::max_element(values.begin(), values.end());
}

int Run()
{
    TempPostgres server;
    const QString url = server.newDatabase();
    const BenchDataFile data;
    Session session;
    session.setConnectionString(data.path());
    session.useServer({url, 1});
    session.open();
    RowSet lines(session);

    std::vector<double> recording, uploading, checkouts;
    for (int sale = 0; sale < kWarmUp + kSales; ++sale) {
        const Sale ticket = EnterTicket(session, lines);
        QElapsedTimer timer;
        timer.start();
        RecordSale(session, ticket);
        const double recorded = timer.nsecsElapsed() / 1e6;
        if (Outbox::Upload(session) != 1) {
            std::fprintf(stderr, "sale %s did not go up\n", qPrintable(ticket.number));
            return 1;
        }
        const double total = timer.nsecsElapsed() / 1e6;
        if (sale < kWarmUp)
            continue;
        recording.push_back(recorded);
        uploading.push_back(total - recorded);
        checkouts.push_back(total);
    }
    const QStringList stored
        = server.query(url, QStringLiteral("select (select count(*) from xstj), (select count(*) from xsmx)")).front();
    std::printf("on the server: %s sales, %s sold lines\n", qPrintable(stored[0]), qPrintable(stored[1]));
    std::printf("record a %d-line sale:  median %5.1f ms, slowest %5.1f ms\n", kTicketLines, Median(recording),
                Slowest(recording));
    std::printf("send it to the server:  median %5.1f ms, slowest %5.1f ms\n", Median(uploading), Slowest(uploading));
    std::printf("checkout (both):        median %5.1f ms, slowest %5.1f ms over %d sales, %s the %.0f ms target\n",
                Median(checkouts), Slowest(checkouts), kSales, Median(checkouts) < kTargetMs ? "under" : "OVER",
                kTargetMs);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    try {
        return Run();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
