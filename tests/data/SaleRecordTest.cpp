#include "data/shop/SaleRecord.h"
#include "base/AppError.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

SaleTicket ticket()
{
    return {QStringLiteral("20240501102030"),
            QStringLiteral("2024-05-01 10:20:30"),
            QStringLiteral("3"),
            QStringLiteral("37.5"),
            QStringLiteral("33.75"),
            QStringLiteral("小王"),
            QStringLiteral("张三"),
            QStringLiteral("13800000000"),
            QStringLiteral("人民路1号"),
            QStringLiteral("40"),
            QStringLiteral("6.25")};
}

class SaleRecordTest : public ::testing::Test
{
protected:
    void addLine(const QString &name, const QString &price, const QString &quantity, const QString &amount,
                 const QString &discounted)
    {
        data.exec(QStringLiteral("insert into xsxx (单号, 时间, 品名, 单价, 数量, 金额, 折后) values "
                                 "('20240501102030', '2024-05-01 10:20:30', '%1', %2, %3, %4, %5)")
                      .arg(name, price, quantity, amount, discounted));
    }

    void SetUp() override { connection.setConnectionString(data.file()); }

    void record(const SaleTicket &sale) { RecordSale(connection, sale); }

    TempData data;
    Session connection; // one for all sales, as the main window has
};

TEST_F(SaleRecordTest, StoresTheTicketAndItsLinesInOrderAndEmptiesTheTicket)
{
    addLine(QStringLiteral("苹果"), QStringLiteral("12.5"), QStringLiteral("2"), QStringLiteral("25"),
            QStringLiteral("22.5"));
    addLine(QStringLiteral("香蕉"), QStringLiteral("12.5"), QStringLiteral("1"), QStringLiteral("12.5"),
            QStringLiteral("11.25"));
    addLine(QStringLiteral("空价"), QStringLiteral("null"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"));
    // A deleted line leaves a gap in the row ids; order still follows them.
    data.exec(QStringLiteral("delete from xsxx where 品名 = '香蕉'"));
    addLine(QStringLiteral("香蕉"), QStringLiteral("12.5"), QStringLiteral("1"), QStringLiteral("12.5"),
            QStringLiteral("11.25"));

    SaleTicket sale = ticket();
    sale.amount.clear(); // an empty total is stored as nothing
    record(sale);

    EXPECT_EQ(data.rows(QStringLiteral("select * from xstj")),
              QStringList{QStringLiteral("1|20240501102030|2024-05-01 10:20:30|3||33.75|小王|40|6.25")});
    EXPECT_EQ(data.scalar(QStringLiteral("select count(*) from xstj where 金额 is null")), QStringLiteral("1"));
    EXPECT_EQ(
        data.rows(QStringLiteral("select * from xsmx")),
        (QStringList{
            QStringLiteral("1|20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|苹果|12.5|2|25|22.5"),
            QStringLiteral("2|20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|空价||0|0|0"),
            QStringLiteral("3|20240501102030|2024-05-01 10:20:30|张三|13800000000|人民路1号|香蕉|12.5|1|12.5|11.25"),
        }));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
}

// A value refused anywhere in the sale leaves all three tables as they were.
TEST_F(SaleRecordTest, RefusedValueStoresNothing)
{
    struct Case
    {
        const char *what;
        SaleTicket sale;
        bool refuseSecondLine;
    };
    SaleTicket badTime = ticket();
    badTime.time = QStringLiteral("昨天");
    SaleTicket badTotal = ticket();
    badTotal.discounted = QStringLiteral("33,75");
    const Case cases[] = {
        {"a ticket time that is no date", badTime, false},
        {"a total that is no number", badTotal, false},
        {"the engine refusing the second line", ticket(), true},
    };
    data.exec(QStringLiteral("insert into xstj (单号, 数量) values ('earlier', 1)"));
    data.exec(QStringLiteral("insert into xsmx (单号, 品名) values ('earlier', '旧')"));
    addLine(QStringLiteral("苹果"), QStringLiteral("12.5"), QStringLiteral("2"), QStringLiteral("25"),
            QStringLiteral("22.5"));
    addLine(QStringLiteral("拒收"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    addLine(QStringLiteral("香蕉"), QStringLiteral("12.5"), QStringLiteral("1"), QStringLiteral("12.5"),
            QStringLiteral("11.25"));

    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        data.exec(QStringLiteral("drop trigger if exists refuse"));
        if (c.refuseSecondLine)
            data.exec(QStringLiteral("create trigger refuse before insert on xsmx when new.品名 = '拒收' "
                                     "begin select raise(abort, 'refused'); end"));
        const QStringList tickets = data.rows(QStringLiteral("select * from xstj"));
        const QStringList sold = data.rows(QStringLiteral("select * from xsmx"));
        const QStringList lines = data.rows(QStringLiteral("select * from xsxx"));

        EXPECT_THROW(record(c.sale), AppError);

        EXPECT_EQ(data.rows(QStringLiteral("select * from xstj")), tickets);
        EXPECT_EQ(data.rows(QStringLiteral("select * from xsmx")), sold);
        EXPECT_EQ(data.rows(QStringLiteral("select * from xsxx")), lines);
    }
    // Nothing of a refused sale lingers on the connection: the next one goes through.
    data.exec(QStringLiteral("drop trigger refuse"));
    record(ticket());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 2);
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 4);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
}

} // namespace
