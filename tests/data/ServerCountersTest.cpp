#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "tests/data/HelperProcess.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

// Sales by number: how many lines each has and its discounted total in cents.
using Sales = std::map<std::string, std::pair<int, qint64>>;

// Reads a counter's report (tests/data/DataTestHelper.cpp) up to its next line
// that starts with `what`, keeping the sales it reports; empty when the counter
// ended or fell silent first.
QString ReadUpTo(HelperProcess &counter, const QString &what, Sales &sold)
{
    for (QString line; !(line = counter.readLine(30000)).isEmpty();) { // generous: the machine may be busy
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields[0] == QLatin1String("sold"))
            sold[fields[1].toStdString()] = {fields[2].toInt(), qRound64(fields[3].toDouble() * 100)};
        else if (fields[0] == QLatin1String("failed"))
            ADD_FAILURE() << line.toStdString();
        if (fields[0] == what)
            return line;
    }
    return {};
}

// The sales on the server; a sale whose lines do not add up to its ticket
// (lost or doubled lines) fails the test.
Sales OnServer(const QString &url)
{
    const std::vector<QStringList> rows = SharedPostgres().query(
        url,
        QStringLiteral("select t.单号, t.数量, count(m.单号), round(t.折后 * 100), round(sum(m.折后) * 100) "
                       "from xstj t left join xsmx m on m.单号 = t.单号 group by t.单号, t.数量, t.折后"));
    Sales sales;
    for (const QStringList &row : rows) {
        EXPECT_EQ(row[1], row[2]) << "lines of sale " << row[0].toStdString();
        EXPECT_EQ(row[3], row[4]) << "total of sale " << row[0].toStdString();
        sales[row[0].toStdString()] = {row[2].toInt(), row[3].toLongLong()};
    }
    EXPECT_EQ(sales.size(), rows.size()) << "a ticket number stored twice";
    return sales;
}

} // namespace

// Several counters sell at once and are killed anywhere between two sales, in
// a sale or in its upload: none loses a sale it recorded and the server keeps
// each once. A sale recorded but not yet reported when the kill came may be there too.
TEST(ServerCounters, CountersKilledAtRandomWhileSellingAtOnceLoseNoSaleAndDoubleNone)
{
    const QString url = SharedPostgres().newDatabase();
    constexpr int kCounters = 3, kRounds = 20;
    TempData files[kCounters];
    Sales reported;
    int resumedWithSalesWaiting = 0;
    QRandomGenerator &random = *QRandomGenerator::global();
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::unique_ptr<HelperProcess>> counters;
        for (int i = 0; i < kCounters; ++i)
            counters.push_back(
                std::make_unique<HelperProcess>(QStringList{"counter", files[i].file(), url, QString::number(i + 1)}));
        for (const auto &counter : counters) {
            const QString resumed = ReadUpTo(*counter, "resumed", reported);
            ASSERT_TRUE(resumed.startsWith("resumed"));
            resumedWithSalesWaiting += resumed != "resumed 0";
            // Counted in sales, then in time, so that a busy machine moves the
            // kills no nearer to the start.
            for (int sales = random.bounded(0, 6); sales > 0; --sales)
                ASSERT_FALSE(ReadUpTo(*counter, "sold", reported).isEmpty());
        }
        QThread::msleep(random.bounded(0, 40));
        for (const auto &counter : counters) {
            counter->kill();
            ReadUpTo(*counter, "(end)", reported); // what it sold before it died
        }
    }
    EXPECT_GT(resumedWithSalesWaiting, 0) << "no kill came between a sale and its upload";

    for (int i = 0; i < kCounters; ++i) {
        Session session;
        session.setConnectionString(files[i].file());
        session.useServer({url, i + 1});
        session.open();
        Outbox::Upload(session);
        EXPECT_EQ(Outbox::Pending(session), 0) << "counter " << i + 1; // none set aside: numbers are the counter's own
    }
    const Sales stored = OnServer(url);
    for (const auto &[number, sale] : reported) {
        const auto found = stored.find(number);
        EXPECT_TRUE(found != stored.end() && found->second == sale) << "sale " << number;
    }
    EXPECT_LE(stored.size(), reported.size() + kCounters * kRounds);
}
