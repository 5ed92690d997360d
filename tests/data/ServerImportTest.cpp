// Copying a counter's own catalogue and sales to the shop's new server.
#include "data/sync/ServerImport.h"
#include "base/AppError.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <gtest/gtest.h>

using Rows = std::vector<QStringList>;

namespace {

// Every row of the shared tables as the server holds them, in stored order.
Rows ServerContents(const QString &url)
{
    Rows all;
    for (const char *sql : {"select 品名, 单价, 备注 from spxx order by __rowid",
                            "select 序号, 单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零 from xstj order by 序号",
                            "select 序号, 单号, 品名, 单价, 数量, 金额, 折后 from xsmx order by 序号"}) {
        const Rows rows = SharedPostgres().query(url, QString::fromUtf8(sql));
        all.push_back({QString::fromUtf8(sql)});
        all.insert(all.end(), rows.begin(), rows.end());
    }
    return all;
}

class ServerImportTest : public ::testing::Test
{
protected:
    ServerImportTest()
    {
        session.setConnectionString(file.data.file());
        session.useServer({url, 1});
    }

    // A counter's file with products and sales, none of them stored in number order.
    struct FilledFile
    {
        FilledFile()
        {
            data.exec(QStringLiteral("insert into spxx (品名, 单价, 备注) values ('可乐', 3, '冰'), "
                                     "('100%果汁', 6.5, null), ('Apple', null, '')"));
            data.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零) values "
                                     "('2026120910000002', '2026-12-09 10:00:00', 2, 10.126, 9.5, '张三', 10, 0.5), "
                                     "('2026120809000001', '2026-12-08 09:00:00', 1, 0.1, 0.3, 'alice', null, null), "
                                     "('', '2026-12-08 12:00:00', 5, 5, 5, null, 5, 0)"));
            data.exec(QStringLiteral("insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) values "
                                     "('2026120910000002', '2026-12-09 10:00:00', '可乐', 3, 2, 6, 5.5), "
                                     "('2026120809000001', '2026-12-08 09:00:00', 'Apple', 0.1, 1, 0.1, 0.3), "
                                     "('2026120910000002', '2026-12-09 10:00:00', '100%果汁', 4.126, 1, 4.126, 4)"));
        }
        TempData data;
    };

    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    FilledFile file;
    Session session;
};

TEST_F(ServerImportTest, AnEmptyServerGetsEveryRowInStoredOrder)
{
    const ImportedCounts counts = ImportToServer(session);
    EXPECT_EQ(counts.products, 3);
    EXPECT_EQ(counts.tickets, 3);
    EXPECT_EQ(counts.lines, 3);

    const Rows expected = {
        {QStringLiteral("select 品名, 单价, 备注 from spxx order by __rowid")},
        {QStringLiteral("可乐"), QStringLiteral("3"), QStringLiteral("冰")},
        {QStringLiteral("100%果汁"), QStringLiteral("6.5"), QString()},
        {QStringLiteral("Apple"), QString(), QString()},
        {QStringLiteral("select 序号, 单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零 from xstj order by 序号")},
        {QStringLiteral("1"), QStringLiteral("2026120910000002"), QStringLiteral("2026-12-09 10:00:00"),
         QStringLiteral("2"), QStringLiteral("10.126"), QStringLiteral("9.5"), QStringLiteral("张三"),
         QStringLiteral("10"), QStringLiteral("0.5")},
        {QStringLiteral("2"), QStringLiteral("2026120809000001"), QStringLiteral("2026-12-08 09:00:00"),
         QStringLiteral("1"), QStringLiteral("0.1"), QStringLiteral("0.3"), QStringLiteral("alice"), QString(),
         QString()},
        {QStringLiteral("3"), QString(), QStringLiteral("2026-12-08 12:00:00"), QStringLiteral("5"),
         QStringLiteral("5"), QStringLiteral("5"), QString(), QStringLiteral("5"), QStringLiteral("0")},
        {QStringLiteral("select 序号, 单号, 品名, 单价, 数量, 金额, 折后 from xsmx order by 序号")},
        {QStringLiteral("1"), QStringLiteral("2026120910000002"), QStringLiteral("可乐"), QStringLiteral("3"),
         QStringLiteral("2"), QStringLiteral("6"), QStringLiteral("5.5")},
        {QStringLiteral("2"), QStringLiteral("2026120809000001"), QStringLiteral("Apple"), QStringLiteral("0.1"),
         QStringLiteral("1"), QStringLiteral("0.1"), QStringLiteral("0.3")},
        {QStringLiteral("3"), QStringLiteral("2026120910000002"), QStringLiteral("100%果汁"), QStringLiteral("4.126"),
         QStringLiteral("1"), QStringLiteral("4.126"), QStringLiteral("4")},
    };
    EXPECT_EQ(ServerContents(url), expected);
    EXPECT_EQ(server.query(url, QStringLiteral("select sum(数量), sum(折后) from xstj")),
              (Rows{{QStringLiteral("8"), QStringLiteral("14.8")}}));
    // A sale sent up after the import is numbered after the copied ones, not refused as a repeat.
    EXPECT_EQ(server.query(url, QStringLiteral("insert into xstj (单号) values ('new') returning 序号")),
              Rows{{QStringLiteral("4")}});
}

TEST_F(ServerImportTest, ASecondImportIsRefusedAndChangesNothing)
{
    ImportToServer(session);
    const Rows before = ServerContents(url);
    ASSERT_EQ(before.size(), 12u);

    // Another counter with sales of its own finds the server in use.
    FilledFile other;
    other.data.exec(QStringLiteral("insert into xstj (单号) values ('2026121000000003')"));
    Session otherSession;
    otherSession.setConnectionString(other.data.file());
    otherSession.useServer({url, 2});
    try {
        ImportToServer(otherSession);
        FAIL() << "a server with sales took a second import";
    } catch (const DataError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("服务器数据库中已有"))) << error.message().toStdString();
    }
    EXPECT_EQ(ServerContents(url), before);

    // Products alone also make a server one in use.
    const QString withProducts = server.newDatabase();
    Session third;
    third.setConnectionString(file.data.file());
    third.useServer({withProducts, 3});
    third.in(Store::Shared).exec(QStringLiteral("insert into spxx (品名) values ('雪碧')"));
    EXPECT_THROW(ImportToServer(third), DataError);
    EXPECT_EQ(server.query(withProducts, QStringLiteral("select count(*) from xstj")), Rows{{QStringLiteral("0")}});
}

TEST_F(ServerImportTest, AFileWithATicketNumberTwiceIsRefusedAndTheServerStaysEmpty)
{
    file.data.exec(QStringLiteral("insert into xstj (单号, 时间) values ('2026120809000001', '2026-12-08 09:30:00')"));
    session.in(Store::Shared).exec(QStringLiteral("select 1")); // the server's tables, as any counter makes them
    try {
        ImportToServer(session);
        FAIL() << "a ticket number held twice was imported";
    } catch (const DataError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("2026120809000001"))) << error.message().toStdString();
    }
    EXPECT_EQ(server.query(url,
                           QStringLiteral("select (select count(*) from spxx), (select count(*) from xstj), "
                                          "(select count(*) from xsmx)")),
              (Rows{{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}}));
}

} // namespace
