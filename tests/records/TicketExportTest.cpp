#include "records/TicketExport.h"

#include "data/shop/SalesLedger.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/fileformats/ReadBack.h"
#include "tests/support/TempData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

const QStringList TitleRow = {
    TextCell(QStringLiteral("序号")),   TextCell(QStringLiteral("单号")),     TextCell(QStringLiteral("时间")),
    TextCell(QStringLiteral("数量")),   TextCell(QStringLiteral("金额")),     TextCell(QStringLiteral("折后")),
    TextCell(QStringLiteral("收银员")), TextCell(QStringLiteral("支付方式")),
};

class TicketExportTest : public ::testing::Test
{
protected:
    TicketExportTest() { connection.setConnectionString(data.file()); }

    // The statistics window's list: the paid amount and the change stay out of it.
    void openList() { SalesLedger::OpenTicketsByNumber(list); }
    QString target() const { return out.filePath(QStringLiteral("销售统计.xls")); }

    TempData data;
    QTemporaryDir out;
    Session connection;
    RowSet list{connection};
};

// Every listed ticket, from the first whatever the current row, in list
// order; numbers with all the decimals of their text, empty values as
// empty cells; then how it was paid.
TEST_F(TicketExportTest, EveryTicketIsWrittenWithItsValuesInListOrder)
{
    data.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) values "
                             "('20240102090000', '2024-01-02 09:00:00', 3, 12.345, 11.1, '张三'),"
                             "('20240101080000', '2024-01-01 08:00:00', 1, 0.5, 0.45, 'Li Si'),"
                             "('20240103100000', null, null, null, null, null),"
                             "('20240104110000', '2024-01-04 11:00:00', 2, 0.1 + 0.2, 1e20 / 3, '')"));
    data.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values ('20240102090000', '微信', 10), "
                             "('20240101080000', '现金', 0.45), ('20240102090000', '现金', 1.1)"));
    openList();
    list.moveTo(1);

    ExportRowSetToXls(list, target());

    EXPECT_EQ(list.currentIndex(), 1);
    const auto sheets = ReadWorkbook(target());
    ASSERT_EQ(sheets.size(), 1u);
    const std::vector<QStringList> expected = {
        TitleRow,
        {NumberCell(2), TextCell(QStringLiteral("20240101080000")), TextCell(list.textAt(0, 2)), NumberCell(1),
         NumberCell(0.5), NumberCell(0.45), TextCell(QStringLiteral("Li Si")), TextCell(QStringLiteral("现金 0.45"))},
        {NumberCell(1), TextCell(QStringLiteral("20240102090000")), TextCell(list.textAt(1, 2)), NumberCell(3),
         NumberCell(12.345), NumberCell(11.1), TextCell(QStringLiteral("张三")),
         TextCell(QStringLiteral("微信 10 / 现金 1.1"))},
        {NumberCell(3), TextCell(QStringLiteral("20240103100000")), QString(), QString(), QString(), QString(),
         QString(), TextCell(QStringLiteral("未记录"))},
        // Stored with more digits than their text shows: written as the text reads.
        {NumberCell(4), TextCell(QStringLiteral("20240104110000")), TextCell(list.textAt(3, 2)), NumberCell(2),
         NumberCell(0.3), NumberCell(3.33333333333333e19), QString(), TextCell(QStringLiteral("未记录"))},
    };
    EXPECT_EQ(sheets[0].rows, expected);
    EXPECT_FALSE(list.textAt(0, 2).isEmpty());
}

// Memory the process holds now, in MB.
double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> pages = statm.readAll().split(' ');
    return pages.value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

// 150,000 tickets fill two sheets and part of a third, each under its own
// title row; no ticket is lost or moved. The rows are read a page at a time
// and written as they are read, so memory stays flat all along.
TEST_F(TicketExportTest, ALongListContinuesOnFurtherSheetsWithoutLosingARowInFlatMemory)
{
    const int count = 150000;
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ")
              + QString::number(count)
              + QStringLiteral(") insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
                               "select printf('2024%010d', i), '2024-03-04 05:06:07', i, i * 1.5, i * 0.125, "
                               "'收银员' || (i % 10) from n"));
    openList();
    std::vector<std::pair<int, int>> calls;
    double startMb = 0;
    double peakMb = 0;

    ExportRowSetToXls(list, target(), [&](int done, int total) {
        calls.emplace_back(done, total);
        (done == 0 ? startMb : peakMb) = ResidentMb();
        peakMb = std::max(peakMb, startMb);
        return true;
    });

#ifndef __SANITIZE_ADDRESS__ // the sanitizer keeps freed memory in quarantine
    // The data file's page cache takes up to 32 MB of it; the whole list held took over 100 MB.
    EXPECT_LT(peakMb - startMb, 40.0);
#endif
    const auto sheets = ReadWorkbook(target());
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[2].name, QStringLiteral("Sheet3"));
    EXPECT_EQ(sheets[0].rows.size(), 65536u);
    std::vector<QStringList> written;
    for (const ReadSheet &sheet : sheets) {
        EXPECT_EQ(sheet.rows.front(), TitleRow);
        written.insert(written.end(), sheet.rows.begin() + 1, sheet.rows.end());
    }
    ASSERT_EQ(written.size(), size_t(count));
    for (int i = 1; i <= count; ++i)
        ASSERT_EQ(written[size_t(i - 1)],
                  (QStringList{NumberCell(i), TextCell(QStringLiteral("2024%1").arg(i, 10, 10, QLatin1Char('0'))),
                               TextCell(list.textAt(0, 2)), NumberCell(i), NumberCell(i * 1.5), NumberCell(i * 0.125),
                               TextCell(QStringLiteral("收银员%1").arg(i % 10)), TextCell(QStringLiteral("未记录"))}))
            << "ticket " << i;

    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.front(), std::make_pair(0, count));
    EXPECT_EQ(calls.back(), std::make_pair(count, count));
    EXPECT_LE(calls.size(), 102u); // now and then, not once per row
    EXPECT_TRUE(std::is_sorted(calls.begin(), calls.end()));

    // Stopped half-way or with every row written, the export leaves no file.
    for (const int stop : {count / 2, count}) {
        EXPECT_FALSE(ExportRowSetToXls(list, out.filePath(QStringLiteral("stopped.xls")),
                                       [stop](int done, int) { return done < stop; }));
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("销售统计.xls")});
    }
}

} // namespace
