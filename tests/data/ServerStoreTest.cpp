#include "base/ErrorDetail.h"
#include "data/shop/Catalogue.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/SaleRecord.h"
#include "data/shop/SalesLedger.h"
#include "data/store/RowSet.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "data/sync/TicketNumbers.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"
#include "tests/support/TicketEntry.h"

#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

using Rows = std::vector<QStringList>;

namespace {

struct Counter
{
    explicit Counter(const QString &url, int number = 1)
    {
        session.setConnectionString(data.file());
        session.useServer({url, number});
        session.open();
    }

    void sell(const QString &number, int lines)
    {
        RowSet ticket(session);
        CurrentTicket::Open(ticket);
        for (int i = 0; i < lines; ++i)
            AddTicketLine(ticket, QStringLiteral("绿茶%1").arg(i), "2.5", "2", "5", "4.5");
        Sale sale;
        sale.number = number;
        sale.lines = CurrentTicket::Lines(session);
        RecordSale(session, sale);
    }

    TempData data;
    Session session;
};

} // namespace

TEST(ServerStore, SalesGoUpOnceInTheOrderTheyWereMade)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    Counter counter(url, 7);
    const QString first = IssueTicketNumber(counter.session), next = IssueTicketNumber(counter.session),
                  last = IssueTicketNumber(counter.session);
    EXPECT_TRUE(first.endsWith("07")) << first.toStdString();
    EXPECT_NE(next, first); // even within the same second

    counter.sell(first, 3);
    EXPECT_EQ(Outbox::Upload(counter.session), 1);
    // A sale sent again (a kill between the server's commit and the outbox's) is kept once.
    counter.sell(first, 3);
    Outbox::Upload(counter.session);
    // Sales that waited together go up in the order they were made.
    counter.sell(next, 1);
    counter.sell(last, 1);
    EXPECT_EQ(Outbox::Upload(counter.session), 2);
    EXPECT_EQ(Outbox::Pending(counter.session), 0);
    EXPECT_EQ(server.query(url,
                           QStringLiteral("select 单号, (select count(*) from xsmx m where m.单号 = t.单号) "
                                          "from xstj t order by 序号")),
              (Rows{{first, "3"}, {next, "1"}, {last, "1"}}));
    EXPECT_EQ(SalesLedger::FindSale(counter.session, first).value().lines.size(), 3u);
}

// Two counters set to the same number: the second sale under a number is not
// taken for the first one sent again. It is set aside, saying why, while the
// later sales go up, and goes up under a fresh number of its counter, keeping its old one.
TEST(ServerStore, AnotherSaleUnderANumberOnTheServerIsSetAsideAndSentAgainUnderAFreshOne)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    Counter first(url), second(url);
    const QString taken = "2026120910000001";
    first.sell(taken, 1);
    second.sell(taken, 2);
    second.sell("2026120910000101", 1);
    Outbox::Upload(first.session);
    // A server made before the old number was kept: the next counter to link adds its column.
    server.query(url, "alter table xstj drop column 原单号");
    server.query(url, "alter table spxx drop column 条码"); // and its index
    EXPECT_EQ(Outbox::Upload(second.session), 1);
    const std::vector<Outbox::Entry> entries = Outbox::List(second.session);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].numberTaken && entries[0].reason.contains("收银台号")) << entries[0].reason.toStdString();
    EXPECT_EQ(Outbox::Upload(second.session), 0); // kept aside until the owner sends it again

    const QString fresh = Outbox::SendAgain(second.session, entries[0].id, true);
    EXPECT_EQ(Outbox::Upload(second.session), 1);
    EXPECT_EQ(server.query(url,
                           QStringLiteral("select 单号, 原单号, 折后, (select count(*) from xsmx m where m.单号 = "
                                          "t.单号) from xstj t order by 序号 desc limit 1")),
              (Rows{{fresh, taken, "9", "2"}}));
    EXPECT_EQ(server.query(url, "select indexdef like '%UNIQUE%' from pg_indexes where indexname = 'spxx_barcode'"),
              (Rows{{"t"}}));
}

// A table another session keeps locked: each statement gives up within its
// time limit and says why, and a sale keeps waiting rather than being set aside.
TEST(ServerStore, ALockedTableEndsEachStatementWithinItsLimit)
{
    const QString url = SharedPostgres().newDatabase();
    Counter counter(url), locker(url);
    const QString number = "2026120910000001";
    counter.sell(number, 1);
    SalesLedger::FindSale(counter.session, number); // linked before the lock
    DataStore &held = locker.session.in(Store::Shared);
    // Without a limit the waits would end only when the server drops the idle locker.
    held.exec("SET idle_in_transaction_session_timeout = 12000");
    Transaction lock(held);
    held.exec("LOCK TABLE xstj");

    const std::pair<const char *, std::function<void()>> steps[] = {
        {"reading a sale", [&] { SalesLedger::FindSale(counter.session, number); }},
        {"sending the outbox", [&] { Outbox::Upload(counter.session); }},
    };
    for (const auto &[what, step] : steps) {
        QElapsedTimer waited;
        waited.start();
        try {
            step();
            ADD_FAILURE() << what << " waited for the lock";
        } catch (const ServerAwayError &error) {
            EXPECT_TRUE(error.message().contains("5 秒内")) << error.message().toStdString();
        }
        EXPECT_LT(waited.elapsed(), 8000) << what;
    }
    EXPECT_EQ(Outbox::Count(counter.session).waiting, 1);
}

// A server restarted since the last use: a read is tried again on a new link.
// A server stopped: the sales wait, and go up once it is back.
TEST(ServerStore, SalesWaitWhileTheServerIsAwayAndGoUpOnceItIsBack)
{
    TempPostgres &server = SharedPostgres();
    Counter counter(server.newDatabase());
    RowSet products(counter.session);
    Catalogue::OpenAll(products);
    server.stop();
    server.start();
    EXPECT_NO_THROW(Catalogue::OpenAll(products));
    server.stop();
    counter.sell(IssueTicketNumber(counter.session), 2);
    EXPECT_THROW(Outbox::Upload(counter.session), ServerAwayError);
    EXPECT_EQ(Outbox::Pending(counter.session), 1);
    server.start();
    QThread::msleep(1100); // past the second a server found away is left alone
    EXPECT_EQ(Outbox::Upload(counter.session), 1);
}

// Tables made by hand with other column types would change the figures: they
// are refused, naming what does not fit, and nothing is sent to them.
TEST(ServerStore, TablesOfAnotherShapeAreRefusedAndNothingIsSent)
{
    struct Case
    {
        const char *change, *table, *column, *found; // table: empty when it still fits
    };
    const Case cases[] = {
        {"alter table xstj alter column 数量 type integer", "xstj", "数量", "integer"},
        {"alter table xsmx alter column 单价 type numeric(12,0)", "xsmx", "单价", "numeric(12,0)"},
        {"alter table spxx alter column 品名 type text collate ucs_basic", "spxx", "品名",
         "text COLLATE \"ucs_basic\""},
        {"alter table xstj alter column 收银员 type text collate \"default\"", "xstj", "收银员", "text COLLATE"},
        {"alter table xsmx drop column 地址", "xsmx", "地址", ""},
        {"alter table xstj alter column 收银员 type varchar(40) collate \"C\"", "", "", ""},
    };
    TempPostgres &server = SharedPostgres();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.change);
        const QString url = server.newDatabase();
        CheckServer(url);
        server.query(url, QString::fromUtf8(c.change));
        Counter counter(url);
        counter.sell("2026120910000001", 2);
        QString refusal;
        try {
            Outbox::Upload(counter.session);
        } catch (const DataError &error) {
            refusal = FullText(error);
        }
        for (const char *named : {c.table, c.column, c.found})
            EXPECT_TRUE(refusal.contains(QString::fromUtf8(named))) << refusal.toStdString();
        const bool refused = *c.table;
        EXPECT_EQ(Outbox::Pending(counter.session), refused ? 1 : 0);
        EXPECT_EQ(server.query(url, "select count(*) from xsmx"), Rows{{refused ? "0" : "2"}});
    }
}
