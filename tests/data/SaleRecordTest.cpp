#include "data/shop/SaleRecord.h"
#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/DayEnd.h"
#include "data/shop/PrintSettings.h"
#include "data/shop/SaleReturns.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "tests/support/PrintTo.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <gtest/gtest.h>

#include <QThread>

#include <limits>
#include <tuple>

namespace {

Sale ticket(Session &session)
{
    Sale sale;
    sale.number = "20240501102030";
    sale.time = "2024-05-01 10:20:30";
    sale.cashier = "小王";
    sale.customer = "张三";
    sale.phone = "13800000000";
    sale.address = "人民路1号";
    sale.paid = "40";
    sale.lines = CurrentTicket::Lines(session);
    return sale;
}

// A ticket of three lines, one without a price; a deleted line left a gap in the ids.
class SaleRecordTest : public ::testing::Test
{
protected:
    SaleRecordTest()
    {
        session.setConnectionString(data.file());
        data.exec(QStringLiteral("insert into xsxx (ID, 单号, 时间, 品名, 单价, 数量, 金额, 折后) values "
                                 "(1, '20240501102030', '2024-05-01 10:20:30', '苹果', 12.5, 2, 25, 22.5), "
                                 "(3, '20240501102030', '2024-05-01 10:20:30', '空价', null, 0, 0, 0), "
                                 "(4, '20240501102030', '2024-05-01 10:20:30', '香蕉', 12.5, 1, 12.5, 11.25)"));
    }

    TempData data;
    Session session; // one for all sales, as the main window has
};

// On the counter's own file, or through its outbox on the shop's server.
class SaleStoreTest : public SaleRecordTest, public ::testing::WithParamInterface<bool>
{
protected:
    SaleStoreTest()
    {
        if (!url.isEmpty())
            session.useServer({url, 1});
    }
    // The rows of a query where the sales are kept.
    QStringList stored(const QString &sql) const
    {
        if (url.isEmpty())
            return data.rows(sql);
        QStringList rows;
        for (const QStringList &row : SharedPostgres().query(url, sql))
            rows << row.join(QLatin1Char('|'));
        return rows;
    }

    const QString url = GetParam() ? SharedPostgres().newDatabase() : QString();
};

TEST_P(SaleStoreTest, StoresTheTicketAndItsLinesInOrderAndEmptiesTheTicket)
{
    Sale sale = ticket(session);
    sale.payments = {{PaymentMethod::WeChat, 20}, {PaymentMethod::Cash, 20}}; // 6.25 of the cash back
    RecordSale(session, sale);
    EXPECT_EQ(data.count("xsxx"), 0);
    if (!url.isEmpty())
        Outbox::Upload(session);

    EXPECT_EQ(stored("select 单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零 from xstj"),
              QStringList{"20240501102030|2024-05-01 10:20:30|3|37.5|33.75|小王|40|6.25"});
    EXPECT_EQ(stored("select 单号, 时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后 from xsmx order by 序号"),
              (QStringList{
                  "20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|苹果|12.5|2|25|22.5",
                  "20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|空价|0|0|0|0",
                  "20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|香蕉|12.5|1|12.5|11.25",
              }));
    EXPECT_EQ(stored("select 单号, 方式, 金额 from zfmx order by 序号"),
              (QStringList{"20240501102030|微信|20", "20240501102030|现金|13.75"}));
}

// Returns of the sale's 苹果 ×2 and 香蕉 ×1, one after the other: each takes
// back at most what is left, a refused one writes nothing, and the recorded
// ones net the sale. Beside a server the first waits out an outage in the
// outbox and arrives once.
TEST_P(SaleStoreTest, ReturnsTakeBackWhatIsLeftAndNetTheSale)
{
    const QString sold = "20240501102030";
    RecordSale(session, ticket(session));
    Outbox::Upload(session);
    SavePrintSettings(session, {"", "", "小王", "", "", ""}); // the returns' cashier
    stored("insert into xstj (单号, 时间, 数量, 折后) values ('无明细', '2024-05-01 11:00:00', 1, 1)");
    const struct
    {
        const char *what, *number; // "R": the first return's
        std::vector<QString> quantities;
        bool stale; // picked from what was left before the first return
        const char *refusal;
    } cases[] = {
        {"part of a line", "20240501102030", {"1"}, false, ""},
        {"more than is left", "20240501102030", {"2"}, false, "“苹果”最多还能退 1，不能退 2！"},
        {"no positive number", "20240501102030", {"", "", "-1"}, false, "“香蕉”的退货数量“-1”不是正数！"},
        {"nothing picked", "20240501102030", {"0", ""}, false, "请填写要退货的数量！"},
        {"the rest", "20240501102030", {"1", "", "1"}, false, ""},
        {"returned meanwhile", "20240501102030", {"", "", "1"}, true, "“香蕉”最多还能退 0，不能退 1！"},
        {"a return", "R", {"1"}, false, "单号 R 是退货单，退货单不能再退货！"},
        {"a sale without lines", "无明细", {"1"}, false, "单号为 无明细 的销售没有明细，无法退货！"},
    };
    const auto tables = [this] {
        return stored("select * from xstj order by 序号") + stored("select * from xsmx order by 序号")
            + stored("select * from zfmx order by 序号")
            + (url.isEmpty() ? QStringList() : data.rows("select * from outbox"));
    };
    std::optional<SaleReturns::Returnable> first;
    QStringList returns;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString number = QString::fromUtf8(c.number) == "R" ? returns.value(0) : QString::fromUtf8(c.number);
        const QStringList before = tables();
        QString refusal;
        try {
            const SaleReturns::Returnable left = c.stale ? *first : SaleReturns::Find(session, number);
            first = first.value_or(left);
            const QDateTime at({2024, 5, 2}, {9, 0, int(returns.size())});
            const Sale saleReturn = SaleReturns::Build(session, left, c.quantities, PaymentMethod::Alipay, at);
            RecordSale(session, saleReturn, EnteredTicket::Kept);
            if (!url.isEmpty() && returns.isEmpty()) {
                SharedPostgres().stop();
                EXPECT_THROW(Outbox::Upload(session), ServerAwayError);
                SharedPostgres().start();
                QThread::msleep(1100); // a link that failed is tried again a second later
            }
            EXPECT_EQ(Outbox::Upload(session), url.isEmpty() ? 0 : 1);
            returns << saleReturn.number;
        } catch (const DataError &error) {
            refusal = error.message();
            EXPECT_EQ(tables(), before);
        }
        EXPECT_EQ(refusal, QString::fromUtf8(c.refusal).replace(" R ", " " + returns.value(0) + " "));
    }
    EXPECT_EQ(
        stored("select 单号, 数量, 金额, 折后, 支付, 找零, 原单号 from xstj where 数量 < 0 order by 序号"),
        (QStringList{returns[0] + "|-1|-12.5|-11.25|-11.25|0|" + sold, returns[1] + "|-2|-25|-22.5|-22.5|0|" + sold}));
    EXPECT_EQ(
        stored("select 品名, 数量, 金额, 折后, 原单号 from xsmx where 数量 < 0 order by 序号"),
        (QStringList{"苹果|-1|-12.5|-11.25|" + sold, "苹果|-1|-12.5|-11.25|" + sold, "香蕉|-1|-12.5|-11.25|" + sold}));
    EXPECT_EQ(stored("select 单号, 方式, 金额 from zfmx where 金额 < 0 order by 序号"),
              (QStringList{returns[0] + "|支付宝|-11.25", returns[1] + "|支付宝|-22.5"}));
    const DayEnd::Figures day = DayEnd::Sum(session, TicketFilter::Matching(QString(), "小王"));
    EXPECT_EQ(std::make_tuple(day.sales.discounted, day.returns.tickets, day.returns.discounted, day.all.discounted),
              std::make_tuple(33.75, 2, -33.75, 0.0));
    if (url.isEmpty())
        return;
    // Two counters return the same 苹果 before either return is on the server:
    // the server takes the first and sets the second aside, saying why.
    Sale again = first->sale;
    again.number = "20240501102031";
    RecordSale(session, again);
    Outbox::Upload(session);
    const SaleReturns::Returnable twice = SaleReturns::Find(session, again.number);
    for (const int second : {10, 11})
        RecordSale(session,
                   SaleReturns::Build(session, twice, {"2"}, PaymentMethod::Cash, {{2024, 5, 2}, {9, 0, second}}),
                   EnteredTicket::Kept);
    EXPECT_EQ(Outbox::Upload(session), 1);
    EXPECT_TRUE(Outbox::List(session).at(0).reason.contains("“苹果”超过了原单 20240501102031"));
}

INSTANTIATE_TEST_SUITE_P(FileAndServer, SaleStoreTest, ::testing::Values(false, true));

// A value refused anywhere in the sale leaves all three tables as they were.
TEST_F(SaleRecordTest, RefusedValueStoresNothing)
{
    Sale badTime = ticket(session), badFigure = ticket(session);
    badTime.time = "昨天";
    badFigure.lines[1].price = std::numeric_limits<long double>::infinity();
    const std::tuple<const char *, Sale, bool> cases[] = {
        {"a ticket time that is no date", badTime, false},
        {"a figure that is no finite number", badFigure, false},
        {"the engine refusing the second line", ticket(session), true},
    };
    const auto tables = [this] {
        return data.rows("select * from xstj") + data.rows("select * from xsmx") + data.rows("select * from xsxx");
    };
    for (const auto &[what, sale, engineRefuses] : cases) {
        SCOPED_TRACE(what);
        if (engineRefuses)
            data.exec(QStringLiteral("create trigger refuse before insert on xsmx when new.品名 = '空价' "
                                     "begin select raise(abort, 'refused'); end"));
        const QStringList before = tables();
        EXPECT_THROW(RecordSale(session, sale), AppError);
        EXPECT_EQ(tables(), before);
    }
    // Nothing of a refused sale lingers on the connection: the next one goes through.
    data.exec("drop trigger refuse");
    RecordSale(session, ticket(session));
    EXPECT_EQ(data.rows(QStringLiteral("select (select count(*) from xstj), (select count(*) from xsmx), "
                                       "(select count(*) from xsxx)")),
              QStringList{"1|3|0"});
}

} // namespace
