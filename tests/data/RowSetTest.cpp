#include "data/store/RowSet.h"
#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/PrintSettings.h"
#include "data/store/ReopenQuery.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

struct RowSetTest : ::testing::Test
{
    TempData data;
    Session connection;
    RowSet rows{connection};

    void openLines() { ReopenQuery(rows, QStringLiteral("select * from xsxx")); }
    void addLine(const QString &name, const QString &price)
    {
        rows.append();
        rows.setText(QStringLiteral("品名"), name);
        rows.setText(QStringLiteral("单价"), price);
        rows.post();
    }
};

TEST_F(RowSetTest, EmptyTableOpensWithNoCurrentRow)
{
    openLines();
    EXPECT_EQ(rows.recordCount(), 0);
    EXPECT_TRUE(rows.eof());
    EXPECT_EQ(rows.recNo(), 0);
    EXPECT_THROW(rows.text(QStringLiteral("品名")), DataError);
    EXPECT_THROW(rows.deleteCurrent(), DataError);
}

TEST_F(RowSetTest, NumberColumnsConvertBetweenTextAndValue)
{
    openLines();
    struct Case
    {
        const char *written;
        const char *readBack;
    };
    const Case cases[] = {{"12.50", "12.5"}, {"3", "3"}, {"", ""}, {".", "0"}, {"0.0001", "0.0001"}, {"1e3", "1000"}};
    for (const Case &c : cases) {
        addLine(QStringLiteral("x"), QString::fromUtf8(c.written));
        EXPECT_EQ(rows.text(QStringLiteral("单价")), QString::fromUtf8(c.readBack)) << c.written;
    }
    // Read back through a fresh row set: what the file holds, not the cache.
    openLines();
    EXPECT_EQ(rows.textAt(0, rows.columnIndex(QStringLiteral("单价"))), QStringLiteral("12.5"));
    EXPECT_TRUE(rows.rawAt(2, rows.columnIndex(QStringLiteral("单价"))).isNull());
}

TEST_F(RowSetTest, RefusedValueStoresNothingOfTheRow)
{
    openLines();
    rows.append();
    rows.setText(QStringLiteral("品名"), QStringLiteral("可乐"));
    try {
        rows.setText(QStringLiteral("单价"), QStringLiteral("12a"));
        FAIL() << "a non-number was accepted";
    } catch (const ConversionError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("'12a' is not a valid floating point value for field '单价'"));
    }
    rows.post(); // nothing pending any more
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
    EXPECT_FALSE(rows.isEditing());
}

TEST_F(RowSetTest, TicketTimeMustBeADateAndTime)
{
    ReopenQuery(rows, QStringLiteral("select * from xstj"));
    rows.append();
    rows.setText(QStringLiteral("时间"), QStringLiteral("2026-12-09 08:05:03"));
    rows.post();
    EXPECT_EQ(rows.text(QStringLiteral("时间")), QStringLiteral("2026-12-09 08:05:03"));
    rows.append();
    EXPECT_THROW(rows.setText(QStringLiteral("时间"), QStringLiteral("昨天")), ConversionError);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
}

TEST_F(RowSetTest, EditAndDeleteFindTheirRowByIdentity)
{
    ReopenQuery(rows, QStringLiteral("select * from spxx"));
    for (const char *name : {"甲", "乙", "丙"})
        addLine(QString::fromUtf8(name), QStringLiteral("1"));
    // spxx has no key column: the same name twice must still be told apart.
    addLine(QStringLiteral("乙"), QStringLiteral("2"));

    rows.moveTo(1);
    rows.edit();
    rows.setText(QStringLiteral("单价"), QStringLiteral("9"));
    rows.post();
    EXPECT_EQ(data.scalar(QStringLiteral(
                  "select group_concat(p) from (select cast(单价 as integer) p from spxx order by rowid)")),
              QStringLiteral("1,9,1,2"));

    rows.moveTo(1);
    rows.deleteCurrent();
    EXPECT_EQ(rows.recNo(), 2); // the next row became current
    EXPECT_EQ(rows.text(QStringLiteral("品名")), QStringLiteral("丙"));
    rows.last();
    rows.deleteCurrent();
    EXPECT_EQ(rows.recNo(), 2); // deleting the last row makes the new last current
    EXPECT_EQ(data.scalar(QStringLiteral("select group_concat(n) from (select 品名 n from spxx order by rowid)")),
              QStringLiteral("甲,丙"));
}

TEST_F(RowSetTest, NavigationEndsPastTheLastRow)
{
    openLines();
    addLine(QStringLiteral("a"), QStringLiteral("1"));
    addLine(QStringLiteral("b"), QStringLiteral("2"));
    rows.first();
    QStringList seen;
    while (!rows.eof()) {
        seen << rows.text(QStringLiteral("品名"));
        rows.next();
    }
    EXPECT_EQ(seen, (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST_F(RowSetTest, UserTextIsBoundNotPasted)
{
    ReopenQuery(rows, QStringLiteral("select * from spxx"));
    addLine(QStringLiteral("O'Neil \"特价\" 饼干"), QStringLiteral("3"));
    addLine(QStringLiteral("其他"), QStringLiteral("4"));
    ReopenQuery(rows, QStringLiteral("select * from spxx where 品名 like '%' || ?1 || '%'"),
                {QStringLiteral("'Neil \"")});
    ASSERT_EQ(rows.recordCount(), 1);
    EXPECT_EQ(rows.text(QStringLiteral("单价")), QStringLiteral("3"));
}

TEST_F(RowSetTest, ClosingTheConnectionClosesItsRowSets)
{
    openLines();
    connection.close();
    EXPECT_FALSE(rows.isOpen());
    EXPECT_THROW(rows.recordCount(), DataError);
    rows.open(); // reconnects first
    EXPECT_TRUE(connection.isOpen());
}

TEST_F(RowSetTest, SettingsRowIsCreatedWhenMissing)
{
    data.exec(QStringLiteral("delete from dynr"));
    EXPECT_EQ(LoadPrintSettings(connection).pos, QString());
    const PrintSettings saved{QStringLiteral("小店"), QStringLiteral("谢谢\n再见"), QStringLiteral("王"),
                              QStringLiteral("80"),   QStringLiteral("两联"),       QStringLiteral("2")};
    SavePrintSettings(connection, saved);
    SavePrintSettings(connection, saved);
    ReopenQuery(rows, QStringLiteral("select * from dynr"));
    ASSERT_EQ(rows.recordCount(), 1); // the second save updates the row the first made
    const PrintSettings loaded = LoadPrintSettings(connection);
    EXPECT_EQ(loaded.remark, QStringLiteral("谢谢\n再见"));
    EXPECT_EQ(loaded.pos, QStringLiteral("80"));
    EXPECT_EQ(loaded.print, QStringLiteral("2"));
}

// A ticket line is stored only with amounts that are numbers: never NULL.
TEST_F(RowSetTest, TicketLineWithoutNumberAmountsIsNotStored)
{
    CurrentTicket::Open(rows);
    const std::pair<const char *, const char *> cases[] = {
        {"", "5"}, {"5", ""}, {"5", "abc"}, {"nan", "5"}, {"5", "4.5"}};
    for (const auto &[amount, discounted] : cases) {
        SCOPED_TRACE(std::string(amount) + " / " + discounted);
        const bool numbers = std::string(discounted) == "4.5";
        rows.append();
        const TicketLine line{QStringLiteral("面包"), QStringLiteral("5"), QStringLiteral("1"),
                              QString::fromLatin1(amount), QString::fromLatin1(discounted)};
        if (numbers) {
            CurrentTicket::PostLine(rows, QStringLiteral("1"), QStringLiteral("2024-01-01 10:00:00"), line);
        } else {
            EXPECT_THROW(
                CurrentTicket::PostLine(rows, QStringLiteral("1"), QStringLiteral("2024-01-01 10:00:00"), line),
                AppError);
            EXPECT_FALSE(rows.isEditing());
        }
        EXPECT_EQ(data.count(QStringLiteral("xsxx")), numbers ? 1 : 0);
    }
    EXPECT_EQ(data.scalar(QStringLiteral("select 折后 from xsxx")), QStringLiteral("4.5"));
}

} // namespace
