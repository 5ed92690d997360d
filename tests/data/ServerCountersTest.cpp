#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "tests/data/HelperProcess.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

namespace {

// Sales by number: how many lines each has and its discounted total in cents.
using Sales = std::map<std::string, std::pair<int, qint64>>;

constexpr int kLineTimeoutMs = 30000; // generous: the machine may be busy

qint64 Cents(const QString &money)
{
    return qRound64(money.toDouble() * 100);
}

// A counter process (tests/data/DataTestHelper.cpp) selling on its own data file.
class CounterRun
{
public:
    CounterRun(const QString &file, const QString &url, int counter, int sales, int pauseMs = 0)
        : m_process({QStringLiteral("counter"), file, url, QString::number(counter), QString::number(sales),
                     QString::number(pauseMs)})
    { }

    // Reads the report up to the next line that starts with `what` and returns
    // it; empty when the counter ended or fell silent first.
    QString next(const QString &what)
    {
        for (QString line = m_process.readLine(kLineTimeoutMs); !line.isEmpty();
             line = m_process.readLine(kLineTimeoutMs)) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields[0] == QLatin1String("sold"))
                sold[fields[1].toStdString()] = {fields[2].toInt(), Cents(fields[3])};
            else if (fields[0] == QLatin1String("away"))
                ++aways;
            else if (fields[0] == QLatin1String("failed"))
                ADD_FAILURE() << line.toStdString();
            if (fields[0] == what)
                return line;
        }
        return {};
    }

    // Kills the counter and keeps the sales it reported before it died.
    void kill()
    {
        m_process.kill();
        next(QStringLiteral("(end)"));
    }

    Sales sold;
    int aways = 0; // sales left waiting because the server did not answer

private:
    HelperProcess m_process;
};

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

TEST(ServerCounters, FourCountersSellingAtOnceStoreEverySaleOnceWithAllItsLines)
{
    const QString url = SharedPostgres().newDatabase();
    constexpr int kCounters = 4, kSales = 250;
    TempData files[kCounters];
    std::vector<std::unique_ptr<CounterRun>> counters;
    for (int i = 0; i < kCounters; ++i)
        counters.push_back(std::make_unique<CounterRun>(files[i].file(), url, i + 1, kSales));

    Sales reported;
    for (int i = 0; i < kCounters; ++i) {
        EXPECT_EQ(counters[i]->next(QStringLiteral("done")), QStringLiteral("done 0")) << "counter " << i + 1;
        EXPECT_EQ(counters[i]->sold.size(), size_t(kSales));
        const QRegularExpression own(QStringLiteral("^\\d{14}0%1$").arg(i + 1));
        for (const auto &sale : counters[i]->sold)
            EXPECT_TRUE(own.match(QString::fromStdString(sale.first)).hasMatch()) << sale.first;
        reported.merge(counters[i]->sold);
    }
    EXPECT_EQ(reported.size(), size_t(kCounters * kSales)); // no number shared between counters
    EXPECT_EQ(OnServer(url), reported);
}

TEST(ServerCounters, SalesMadeWhileTheServerIsStoppedArriveOnceItIsBack)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    TempData data;
    CounterRun counter(data.file(), url, 5, 80, 5);
    while (counter.sold.size() < 20)
        ASSERT_FALSE(counter.next(QStringLiteral("sold")).isEmpty());

    server.stop();
    // Counted from the first sale the stopped server missed; no assertion
    // returns before the server is started again for the other tests.
    QString line = counter.next(QStringLiteral("away"));
    const size_t before = counter.sold.size();
    while (!line.isEmpty() && counter.sold.size() < before + 20)
        line = counter.next(QStringLiteral("sold"));
    server.start();
    EXPECT_FALSE(line.isEmpty()) << "the counter stopped selling while the server was away";
    EXPECT_GE(counter.aways, 20);

    EXPECT_EQ(counter.next(QStringLiteral("done")), QStringLiteral("done 0"));
    EXPECT_EQ(counter.sold.size(), 80u);
    EXPECT_EQ(OnServer(url), counter.sold);
}

// Killed anywhere between two sales, in a sale or in its upload, a counter
// loses none of the sales it recorded and the server keeps each once. A sale
// recorded but not yet reported when the kill came may be there too.
TEST(ServerCounters, ACounterKilledAtRandomLosesNoSaleAndDoublesNone)
{
    const QString url = SharedPostgres().newDatabase();
    TempData data;
    constexpr int kKills = 30;
    Sales reported;
    int resumedWithSalesWaiting = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        CounterRun counter(data.file(), url, 9, 1000000);
        const QString resumed = counter.next(QStringLiteral("resumed"));
        ASSERT_TRUE(resumed.startsWith(QStringLiteral("resumed"))) << "after kill " << kill;
        resumedWithSalesWaiting += resumed != QStringLiteral("resumed 0");
        // Counted in sales, then in time, so that a busy machine moves the
        // kills no nearer to the start.
        QRandomGenerator &random = *QRandomGenerator::global();
        for (int sales = random.bounded(0, 4); sales > 0; --sales)
            ASSERT_FALSE(counter.next(QStringLiteral("sold")).isEmpty()) << "after kill " << kill;
        QThread::msleep(random.bounded(0, 40));
        counter.kill();
        reported.merge(counter.sold);
    }
    EXPECT_GT(resumedWithSalesWaiting, 0) << "no kill came between a sale and its upload";

    Session session;
    session.setConnectionString(data.file());
    session.useServer({url, 9});
    session.open();
    Outbox::Upload(session);
    EXPECT_EQ(Outbox::Pending(session), 0);

    const Sales stored = OnServer(url);
    for (const auto &[number, sale] : reported) {
        const auto found = stored.find(number);
        EXPECT_TRUE(found != stored.end() && found->second == sale) << "sale " << number;
    }
    EXPECT_LE(stored.size(), reported.size() + kKills);
}
