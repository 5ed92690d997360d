#include "tests/support/TempPostgres.h"

#include <gtest/gtest.h>

#include <stdexcept>

using Rows = std::vector<QStringList>;

TEST(TempPostgres, EachNewDatabaseIsSeparateAndEmpty)
{
    TempPostgres &server = SharedPostgres();
    const QString first = server.newDatabase();
    const QString second = server.newDatabase();
    ASSERT_NE(first, second);

    const QString userTables = QStringLiteral("select count(*) from pg_tables where schemaname = 'public'");
    EXPECT_EQ(server.query(first, userTables), Rows{{QStringLiteral("0")}});
    server.query(first, QStringLiteral("create table goods (name text, note text)"));
    server.query(first, QStringLiteral("insert into goods values ('绿茶', null)"));
    EXPECT_EQ(server.query(first, QStringLiteral("select name, note from goods")),
              (Rows{{QStringLiteral("绿茶"), QString()}}));
    EXPECT_EQ(server.query(second, userTables), Rows{{QStringLiteral("0")}});
}

// The stop is real: nothing answers until the server is started again, and
// what was committed before is still there.
TEST(TempPostgres, CommittedWorkSurvivesAnImmediateStop)
{
    TempPostgres &server = SharedPostgres();
    const QString db = server.newDatabase();
    server.query(db, QStringLiteral("create table sales (id int)"));
    server.query(db, QStringLiteral("insert into sales values (7)"));

    server.stop();
    EXPECT_FALSE(server.isRunning());
    EXPECT_THROW(server.query(db, QStringLiteral("select 1")), std::runtime_error);
    server.start();
    EXPECT_TRUE(server.isRunning());
    EXPECT_EQ(server.query(db, QStringLiteral("select id from sales")), Rows{{QStringLiteral("7")}});
}
