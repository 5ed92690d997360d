// Copying a counter's own catalogue and sales to the shop's new server.
#include "data/sync/ServerImport.h"
#include "base/ErrorDetail.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <gtest/gtest.h>

using Rows = std::vector<QStringList>;

namespace {

// The shared tables' rows in stored order; the catalogue's is named {rowid}.
const char *const kShared[] = {
    "select 品名, 单价, 备注 from spxx order by {rowid}",
    "select 序号, 单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零 from xstj order by 序号",
    "select 序号, 单号, 时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后 from xsmx order by 序号",
    "select 序号, 单号, 方式, 金额 from zfmx order by 序号",
    "select 序号, 时间, 收银员, 表名, 单号, 内容 from scjl order by 序号",
};

// A counter's file with products and sales, none of them stored in number order.
class ServerImportTest : public ::testing::Test
{
protected:
    ServerImportTest()
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
        data.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values ('2026120910000002', '微信', 4.5), "
                                 "('2026120910000002', '现金', 5), ('', '现金', 5)"));
        data.exec(QStringLiteral("insert into scjl (时间, 收银员, 表名, 单号, 内容) values "
                                 "('2026-12-09 11:00:00', '张三', 'xsmx', '2026120910000002', '序号=4; 品名=雪碧')"));
        session.setConnectionString(data.file());
        session.useServer({url, 1});
    }

    // Every row of the shared tables on the server, as TempData gives a file's rows.
    QStringList onServer(const QString &database)
    {
        QStringList all;
        for (const char *sql : kShared)
            for (const QStringList &row : server.query(database, QString::fromUtf8(sql).replace("{rowid}", "__rowid")))
                all << row.join(QLatin1Char('|'));
        return all;
    }

    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    TempData data;
    Session session;
};

TEST_F(ServerImportTest, AnEmptyServerGetsEveryRowAsTheFileHoldsIt)
{
    const ImportedCounts counts = ImportToServer(session);
    EXPECT_EQ((std::vector<int>{counts.products, counts.tickets, counts.lines}), (std::vector<int>{3, 3, 3}));
    QStringList inFile;
    for (const char *sql : kShared)
        inFile << data.rows(QString::fromUtf8(sql).replace("{rowid}", "rowid"));
    EXPECT_EQ(onServer(url), inFile);
    // A sale sent up after the import is numbered after the copied ones, not refused as a repeat.
    EXPECT_EQ(server.query(url, "insert into xstj (单号) values ('new') returning 序号"), Rows{{"4"}});
}

// A server with sales, or only products, is in use; a file with a ticket
// number twice cannot be copied. The import is refused and changes nothing.
TEST_F(ServerImportTest, AServerInUseOrAFileWithANumberTwiceIsRefusedAndTheServerKeptAsItWas)
{
    ImportToServer(session);
    const QString withProducts = server.newDatabase(), empty = server.newDatabase();
    CheckServer(withProducts);
    CheckServer(empty);
    server.query(withProducts, "insert into spxx (品名) values ('雪碧')");
    const std::pair<QString, const char *> cases[] = {
        {url, "服务器数据库中已有"}, {withProducts, "服务器数据库中已有"}, {empty, "2026120809000001"}};
    for (const auto &[database, reason] : cases) {
        SCOPED_TRACE(reason);
        if (database == empty)
            data.exec("insert into xstj (单号, 时间) values ('2026120809000001', '2026-12-08 09:30:00')");
        const QStringList before = onServer(database);
        Session second;
        second.setConnectionString(data.file());
        second.useServer({database, 2});
        try {
            ImportToServer(second);
            ADD_FAILURE() << "imported";
        } catch (const DataError &error) {
            EXPECT_TRUE(FullText(error).contains(QString::fromUtf8(reason))) << FullText(error).toStdString();
        }
        EXPECT_EQ(onServer(database), before);
    }
}

} // namespace
