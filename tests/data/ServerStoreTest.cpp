#include "base/AppError.h"
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
            AddTicketLine(ticket, QStringLiteral("绿茶%1").arg(i), QStringLiteral("2.5"), QStringLiteral("2"),
                          QStringLiteral("5"), QStringLiteral("4.5"));
        SaleTicket sale;
        sale.number = number;
        sale.time = QStringLiteral("2026-12-09 10:00:00");
        sale.quantity = QString::number(2 * lines);
        sale.amount = QString::number(5 * lines);
        sale.discounted = QString::number(4.5 * lines);
        sale.cashier = QStringLiteral("小王");
        sale.paid = QStringLiteral("100");
        RecordSale(session, sale);
    }

    TempData data;
    Session session;
};

} // namespace

TEST(ServerStore, ASaleGoesUpOnceWithItsLinesAndIsFoundAgain)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    Counter counter(url, 7);

    const QString number = IssueTicketNumber(counter.session);
    ASSERT_EQ(number.size(), 16);
    EXPECT_TRUE(number.endsWith(QStringLiteral("07")));
    EXPECT_NE(IssueTicketNumber(counter.session), number); // even within the same second

    counter.sell(number, 3);
    EXPECT_EQ(counter.data.count(QStringLiteral("xsxx")), 0);
    EXPECT_EQ(Outbox::Pending(counter.session), 1);
    EXPECT_EQ(Outbox::Upload(counter.session), 1);
    EXPECT_EQ(Outbox::Pending(counter.session), 0);
    // A sale sent again (a kill between the server's commit and the outbox's) is kept once.
    counter.sell(number, 3);
    Outbox::Upload(counter.session);
    EXPECT_EQ(server.query(url, QStringLiteral("select count(*), sum(折后), max(支付) from xstj")),
              (Rows{{QStringLiteral("1"), QStringLiteral("13.5"), QStringLiteral("100")}}));
    EXPECT_EQ(server.query(url, QStringLiteral("select count(*) from xsmx")), Rows{{QStringLiteral("3")}});

    const std::optional<StoredSale> found = SalesLedger::FindSale(counter.session, number);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->lines.size(), 3u);
    EXPECT_EQ(found->totalDiscounted, QStringLiteral("13.5"));
    EXPECT_EQ(found->time, QStringLiteral("2026-12-09 10:00:00"));
    // The counter's own file keeps no sale of its own.
    EXPECT_EQ(counter.data.count(QStringLiteral("xstj")), 0);

    // Sales that waited together go up in the order they were made.
    const QString next = IssueTicketNumber(counter.session), last = IssueTicketNumber(counter.session);
    counter.sell(next, 1);
    counter.sell(last, 1);
    EXPECT_EQ(Outbox::Upload(counter.session), 2);
    EXPECT_EQ(server.query(url, QStringLiteral("select 单号 from xstj order by 序号")),
              (Rows{{number}, {next}, {last}}));
}

// Two counters set to the same number: the second sale under a number is not
// taken for the first one sent again. It is set aside while the later sales go
// up, and goes up under a fresh number of its counter, keeping its old one.
TEST(ServerStore, AnotherSaleUnderANumberOnTheServerIsSetAsideAndSentAgainUnderAFreshOne)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    Counter first(url), second(url);
    const QString taken = QStringLiteral("2026120910000001"), later = QStringLiteral("2026120910000101");
    first.sell(taken, 1);
    second.sell(taken, 2);
    second.sell(later, 1);
    Outbox::Upload(first.session);
    // A server made before the old number was kept: the next counter to link adds its column.
    server.query(url, QStringLiteral("alter table xstj drop column 原单号"));
    EXPECT_EQ(Outbox::Upload(second.session), 1);
    const std::vector<Outbox::Entry> entries = Outbox::List(second.session);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].numberTaken);
    EXPECT_TRUE(entries[0].reason.contains(QStringLiteral("收银台号"))) << entries[0].reason.toStdString();
    EXPECT_EQ(Outbox::Upload(second.session), 0); // kept aside until the owner sends it again

    const QString fresh = Outbox::SendAgain(second.session, entries[0].id, true);
    EXPECT_EQ(Outbox::Upload(second.session), 1);
    EXPECT_EQ(Outbox::Pending(second.session), 0);
    EXPECT_EQ(server.query(url,
                           QStringLiteral("select 单号, 原单号, 折后, (select count(*) from xsmx m "
                                          "where m.单号 = t.单号) from xstj t order by 序号")),
              (Rows{{taken, QString(), QStringLiteral("4.5"), QStringLiteral("1")},
                    {later, QString(), QStringLiteral("4.5"), QStringLiteral("1")},
                    {fresh, taken, QStringLiteral("9"), QStringLiteral("2")}}));
}

// A table another session keeps locked: each statement gives up within its
// time limit and says why, and a sale keeps waiting rather than being set aside.
TEST(ServerStore, ALockedTableEndsEachStatementWithinItsLimit)
{
    const QString url = SharedPostgres().newDatabase();
    Counter counter(url), locker(url);
    const QString number = QStringLiteral("2026120910000001");
    counter.sell(number, 1);
    SalesLedger::FindSale(counter.session, number); // linked before the lock
    DataStore &held = locker.session.in(Store::Shared);
    // Without a limit the waits would end only when the server drops the idle locker.
    held.exec(QStringLiteral("SET idle_in_transaction_session_timeout = 12000"));
    Transaction lock(held);
    held.exec(QStringLiteral("LOCK TABLE xstj"));

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
            EXPECT_TRUE(error.message().contains(QStringLiteral("5 秒内"))) << error.message().toStdString();
        }
        EXPECT_LT(waited.elapsed(), 8000) << what;
    }
    EXPECT_EQ(Outbox::Count(counter.session).waiting, 1);
}

TEST(ServerStore, TheCatalogueIsEditedOnTheServerInStoredOrder)
{
    TempPostgres &server = SharedPostgres();
    Counter counter(server.newDatabase());
    RowSet products(counter.session);
    Catalogue::OpenAll(products);
    for (const char *name : {"乙", "甲", "丙"}) {
        products.append();
        products.setText(QStringLiteral("品名"), QString::fromUtf8(name));
        products.setText(QStringLiteral("单价"), QStringLiteral("3"));
        products.post();
    }
    products.moveTo(0);
    products.edit();
    products.setText(QStringLiteral("单价"), QStringLiteral("4.25"));
    products.post();
    EXPECT_EQ(products.columnCount(), 3);

    Catalogue::OpenAll(products);
    ASSERT_EQ(products.recordCount(), 3);
    EXPECT_EQ(products.textAt(0, 0), QStringLiteral("乙"));
    EXPECT_EQ(products.textAt(0, 1), QStringLiteral("4.25"));
    EXPECT_EQ(Catalogue::ProductNames(counter.session),
              (QStringList{QStringLiteral("丙"), QStringLiteral("乙"), QStringLiteral("甲")}));
    EXPECT_EQ(Catalogue::PriceOf(counter.session, QStringLiteral("甲")), QStringLiteral("3"));
    products.moveTo(2);
    products.deleteCurrent();
    // A server restarted since the last use: the next reading takes a new link.
    server.stop();
    server.start();
    Catalogue::OpenAll(products);
    EXPECT_EQ(products.recordCount(), 2);
}

TEST(ServerStore, AnAwayServerKeepsSalesWaitingAndSaysSo)
{
    Counter counter(QStringLiteral("host=/nonexistent port=1 dbname=none user=shop"));
    counter.sell(IssueTicketNumber(counter.session), 2);
    EXPECT_EQ(Outbox::Pending(counter.session), 1);
    EXPECT_THROW(Outbox::Upload(counter.session), ServerAwayError);
    RowSet products(counter.session);
    try {
        Catalogue::OpenAll(products);
        FAIL() << "the catalogue opened without its server";
    } catch (const ServerAwayError &error) {
        EXPECT_TRUE(error.message().startsWith(QStringLiteral("无法连接数据库服务器")))
            << error.message().toStdString();
    }
    EXPECT_EQ(Outbox::Pending(counter.session), 1);
}

// Tables made by hand with other column types would change the figures: they
// are refused, naming what does not fit, and nothing is sent to them.
TEST(ServerStore, TablesOfAnotherShapeAreRefusedAndNothingIsSent)
{
    struct Case
    {
        const char *change, *table, *column, *found; // found: empty when the table still fits
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
        counter.sell(QStringLiteral("2026120910000001"), 2);
        if (!*c.table) {
            EXPECT_EQ(Outbox::Upload(counter.session), 1);
            continue;
        }
        try {
            Outbox::Upload(counter.session);
            ADD_FAILURE() << "sent to a table of another shape";
        } catch (const DataError &error) {
            const QString text = error.message();
            for (const char *named : {c.table, c.column, c.found})
                EXPECT_TRUE(text.contains(QString::fromUtf8(named))) << text.toStdString();
        }
        EXPECT_EQ(Outbox::Pending(counter.session), 1);
        EXPECT_EQ(server.query(url, QStringLiteral("select (select count(*) from xstj) + (select count(*) from xsmx)")),
                  Rows{{QStringLiteral("0")}});
    }
}
