#include "data/store/RowSet.h"
#include "base/AppError.h"
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

    void open(const QString &table) { ReopenQuery(rows, QStringLiteral("select * from ") + table); }
};

// Without a current row, or with its connection closed, a row set refuses
// rather than reading freed memory; opened again, it reconnects.
TEST_F(RowSetTest, WithoutARowOrAConnectionARowSetRefusesToRead)
{
    open("xsxx");
    EXPECT_TRUE(rows.eof());
    EXPECT_THROW(rows.text("品名"), DataError);
    EXPECT_THROW(rows.deleteCurrent(), DataError);
    connection.close();
    EXPECT_FALSE(rows.isOpen());
    EXPECT_THROW(rows.recordCount(), DataError);
    rows.open();
    EXPECT_TRUE(connection.isOpen());
}

// A value is read back as its column's kind converts it, both from the row set
// and from the file; a refused one is named and nothing of its row is stored.
TEST_F(RowSetTest, ValuesAreConvertedByTheirColumnOrRefusedStoringNothing)
{
    struct Case
    {
        const char *table, *column, *written;
        bool refused;
        const char *result; // the text read back, or the refusal
    };
    const Case cases[] = {
        {"xsxx", "单价", "12.50", false, "12.5"},
        {"xsxx", "单价", "", false, ""},
        {"xsxx", "单价", "12a", true, "'12a' is not a valid floating point value for field '单价'"},
        {"xstj", "时间", "2026-12-09 08:05:03", false, "2026-12-09 08:05:03"},
        {"xstj", "时间", "昨天", true, "'昨天' is not a valid date and time for field '时间'"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.written);
        const QString table = QString::fromUtf8(c.table), column = QString::fromUtf8(c.column);
        const QStringList before = data.rows(QStringLiteral("select * from ") + table);
        open(table);
        rows.append();
        try {
            rows.setText(column, QString::fromUtf8(c.written));
            rows.post();
            const QString cached = rows.text(column);
            open(table);
            rows.last();
            EXPECT_EQ((QStringList{cached, rows.text(column)}), QStringList(2, QString::fromUtf8(c.result)));
            EXPECT_FALSE(c.refused);
        } catch (const ConversionError &error) {
            EXPECT_EQ(error.message(), QString::fromUtf8(c.result));
            rows.post(); // nothing pending any more
            EXPECT_EQ(data.rows(QStringLiteral("select * from ") + table), before);
            EXPECT_TRUE(c.refused);
        }
    }
    EXPECT_EQ(data.count("xsxx where 单价 is null"), 1); // the empty text
}

TEST_F(RowSetTest, EditAndDeleteFindTheirRowByIdentity)
{
    open("spxx");
    // spxx has no key column: the same name twice must still be told apart.
    for (const auto &[name, price] : {std::pair{"甲", "1"}, {"乙", "1"}, {"丙", "1"}, {"乙", "2"}}) {
        rows.append();
        rows.setText("品名", name);
        rows.setText("单价", price);
        rows.post();
    }
    rows.moveTo(1);
    rows.edit();
    rows.setText("单价", "9");
    rows.post();
    const QString spxx = "select 品名, 单价 from spxx order by rowid";
    EXPECT_EQ(data.rows(spxx), (QStringList{"甲|1", "乙|9", "丙|1", "乙|2"}));
    rows.moveTo(1);
    rows.deleteCurrent();
    rows.last();
    rows.deleteCurrent();
    EXPECT_EQ(rows.recNo(), 2); // deleting the last row makes the new last current
    EXPECT_EQ(data.rows(spxx), (QStringList{"甲|1", "丙|1"}));
}
} // namespace
