#include "data/shop/SaleRecord.h"
#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <gtest/gtest.h>

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
{ };

TEST_P(SaleStoreTest, StoresTheTicketAndItsLinesInOrderAndEmptiesTheTicket)
{
    const QString url = GetParam() ? SharedPostgres().newDatabase() : QString();
    if (!url.isEmpty())
        session.useServer({url, 1});
    Sale sale = ticket(session);
    sale.payments = {{PaymentMethod::WeChat, 20}, {PaymentMethod::Cash, 20}}; // 6.25 of the cash back
    RecordSale(session, sale);
    EXPECT_EQ(data.count("xsxx"), 0);
    if (!url.isEmpty())
        Outbox::Upload(session);

    const auto stored = [&](const char *sql) {
        if (url.isEmpty())
            return data.rows(QString::fromUtf8(sql));
        QStringList rows;
        for (const QStringList &row : SharedPostgres().query(url, QString::fromUtf8(sql)))
            rows << row.join(QLatin1Char('|'));
        return rows;
    };
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
