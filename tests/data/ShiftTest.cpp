#include "data/shop/Shift.h"

#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

// Three sales and a return of the first on {day}, numbered {n}1{c} to {n}4{c}:
// one paid in two ways, one in cash, one without payment rows.
QString ShiftSales(const QString &n, const QString &day, const QString &c = QStringLiteral("00"))
{
    return QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) values "
                          "('{n}1{c}', '{day} 09:00:00', 1, 10, 9, 'Ann', null), "
                          "('{n}2{c}', '{day} 10:00:00', 2, 20, 18, 'Bob', null), "
                          "('{n}3{c}', '{day} 11:00:00', 3, 30, 27, 'Bob', null), "
                          "('{n}4{c}', '{day} 12:00:00', -1, -10, -9, 'Bob', '{n}1{c}'); "
                          "insert into zfmx (单号, 方式, 金额) values ('{n}1{c}', '现金', 4), ('{n}1{c}', '微信', 5), "
                          "('{n}2{c}', '现金', 18), ('{n}4{c}', '现金', -9)")
        .replace(QStringLiteral("{n}"), n)
        .replace(QStringLiteral("{day}"), day)
        .replace(QStringLiteral("{c}"), c);
}

// A shift's report as texts: its number, cashier, span and tickets; sales,
// returns, net; each method; float, cash taken and paid back, expected cash.
QStringList Texts(const Shift::Report &r)
{
    QStringList texts{QStringLiteral("%1 %2 %3 %4").arg(r.number).arg(r.cashier, r.start).arg(r.tickets),
                      QStringList{r.sales.displayText(), r.returns.displayText(), r.net.displayText()}.join(' ')};
    for (const MethodTotal &method : r.methods)
        texts << method.method + QLatin1Char(' ') + method.amount.displayText();
    texts << QStringList{r.openingFloat.displayText(), r.cashTaken.displayText(), r.cashPaidBack.displayText(),
                         r.expectedCash().displayText()}
                 .join(' ');
    return texts;
}

class ShiftTest : public ::testing::Test
{
protected:
    void sell(const QString &prefix, const QString &day)
    {
        for (const QString &statement : ShiftSales(prefix, day).split(QLatin1Char(';')))
            data.exec(statement);
    }

    TempData data;
    Session session;
};

// A split payment counts its cash part only, a return's cash is paid back,
// a ticket without payment rows is unrecorded; the counted cash against the
// expected is over, short or even.
TEST_F(ShiftTest, FloatSalesReturnsAndSplitPaymentsGiveTheExpectedCashAndTheCountTheDifference)
{
    sell(QStringLiteral("2024030100000"), QStringLiteral("2024-03-01"));
    Shift::SetOpeningFloat(session, Amount::fromText(QStringLiteral("100")));
    Shift::Report report = Shift::Current(session);
    EXPECT_EQ(
        Texts(report),
        (QStringList{"1 Bob 2024-03-01 09:00:00 4", "54 -9 45", "微信 5", "现金 13", "未记录 27", "100 22 9 113"}));
    const std::pair<const char *, QString> counts[] = {{"113", ""}, {"120.5", "长款 7.5"}, {"110", "短款 -3"}};
    for (const auto &[counted, difference] : counts) {
        report.counted = Amount::fromText(QString::fromUtf8(counted));
        const QString name = Shift::DifferenceName(report.difference());
        EXPECT_EQ(name.isEmpty() ? name : name + ' ' + report.difference().displayText(), difference) << counted;
    }
}

// Closed shifts are numbered one after another and keep what was counted; the
// next shift holds only later sales, with the last float. A new session on the
// file (as after a kill) sums the same recorded sales.
TEST_F(ShiftTest, ShiftsAreNumberedInTurnAndAnOpenShiftIsSummedFromTheFile)
{
    sell(QStringLiteral("2024030100000"), QStringLiteral("2024-03-01"));
    Shift::SetOpeningFloat(session, Amount::fromText(QStringLiteral("50")));
    Shift::Report first = Shift::Current(session);
    first.counted = Amount::fromText(QStringLiteral("60"));
    Shift::Close(session, first);
    Shift::Report reprinted = Shift::Reported(session, 1);
    reprinted.end = first.end;
    EXPECT_EQ(Texts(reprinted), Texts(first));
    sell(QStringLiteral("2999010100000"), QStringLiteral("2999-01-01")); // after the close
    const QStringList open = Texts(Shift::Current(session));
    EXPECT_EQ(open,
              (QStringList{"2 Bob 2999-01-01 09:00:00 4", "54 -9 45", "微信 5", "现金 13", "未记录 27", "50 22 9 63"}));
    Session afterKill;
    EXPECT_EQ(Texts(Shift::Current(afterKill)), open);
    Shift::Close(afterKill, Shift::Current(afterKill));
    EXPECT_EQ(
        data.rows(QStringLiteral("select 班次, 备用金, 现金应有, 现金实点, 差额, 单数, 净额 from jbjl order by 序号")),
        (QStringList{"1|50|63|60|-3|4|45", "2|50|63|0|-63|4|45"}));
    const std::vector<Shift::ClosedShift> closed = Shift::Closed(session, {2020, 1, 1}, QDate::currentDate());
    EXPECT_EQ(closed.size(), 2u);
    EXPECT_TRUE(Shift::Closed(session, {2020, 1, 1}, {2020, 1, 2}).empty());
}

// A sale as a counter's outbox keeps it while the server is away.
SaleRows Queued(const QString &number, const QString &time, const QString &discounted)
{
    SaleRows sale{NewRow(QStringLiteral("xstj")), {}, {NewRow(QStringLiteral("zfmx"))}};
    const std::pair<QString, QString> columns[] = {
        {"单号", number}, {"时间", time}, {"数量", "1"}, {"折后", discounted}, {"收银员", "Cy"}};
    for (const auto &[column, text] : columns)
        sale.ticket.set(column, text);
    sale.payments[0].set(QStringLiteral("方式"), QStringLiteral("现金"));
    sale.payments[0].set(QStringLiteral("金额"), discounted);
    return sale;
}

// On a server, each counter's shift holds the tickets with its own digits
// only, and the sales still in its outbox, those already sent counted once.
TEST_F(ShiftTest, OnAServerEachCounterCountsItsOwnSales)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    TempData secondFile;
    Session counters[2];
    const QString files[] = {data.file(), secondFile.file()};
    for (int i = 0; i < 2; ++i) {
        counters[i].setConnectionString(files[i]);
        counters[i].useServer({url, i + 1});
        counters[i].open();
    }
    for (const QString &statement :
         ShiftSales(QStringLiteral("2024030100000"), QStringLiteral("2024-03-01"), QStringLiteral("01")).split(';'))
        counters[0].in(Store::Shared).exec(statement);
    counters[0]
        .in(Store::Shared)
        .exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 折后) values "
                             "('2024030110000002', '2024-03-01 10:00:00', 1, 7)"));
    Outbox::Add(counters[0], Queued(QStringLiteral("2024030100000501"), QStringLiteral("2024-03-01 13:00:00"), "6"));
    Outbox::Add(counters[0], Queued(QStringLiteral("2024030100000201"), QStringLiteral("2024-03-01 10:00:00"), "18"));
    EXPECT_EQ(Texts(Shift::Current(counters[0])),
              (QStringList{"1 Cy 2024-03-01 09:00:00 5", "60 -9 51", "微信 5", "现金 19", "未记录 27", "0 28 9 19"}));
    EXPECT_EQ(Texts(Shift::Current(counters[1])).mid(1, 2), (QStringList{"7 0 7", "未记录 7"}));
}

} // namespace
