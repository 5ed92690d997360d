#include "tests/fileformats/ReadBack.h"
#include "tests/records/RecordsFixture.h"

#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

class ExportTest : public RecordsTest
{
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 5; ++i)
            store(Ticket{QStringLiteral("2024030%1").arg(i) + QStringLiteral("120000"),
                         QStringLiteral("2024-03-0%1 12:00:00").arg(i), double(i), 12.345 * i, 10.0 * i,
                         i % 2 ? QStringLiteral("张三") : QStringLiteral("李四")});
        statistics.reload();
        statistics.show();
    }

    // Answers the save dialog with `name` in the output folder and presses the button.
    void exportAs(const QString &name)
    {
        responder.fileAnswers.push_back(name.isEmpty() ? QString() : out.filePath(name));
        QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton1"), Qt::LeftButton);
    }
    QStringList written() const
    {
        QStringList names = QDir(out.path()).entryList(QDir::Files);
        names.sort();
        return names;
    }
    static QStringList numbersIn(const ReadSheet &sheet)
    {
        QStringList numbers;
        for (size_t row = 1; row < sheet.rows.size(); ++row)
            numbers << sheet.rows[row].value(1);
        return numbers;
    }

    void searchCashier(const QString &cashier)
    {
        Find<QLineEdit>(statistics, "Edit2")->setText(cashier);
        QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton4"), Qt::LeftButton);
    }

    QTemporaryDir out;
    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
    DataGrid *grid = Find<DataGrid>(statistics, "DBGridEh1");
};

TEST_F(ExportTest, ExtensionIsAddedOnlyWhenMissing)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("a.xls"), QStringLiteral("a.xls")},
        {QStringLiteral("B.XLS"), QStringLiteral("B.XLS")},
        {QStringLiteral("c.Xls"), QStringLiteral("c.Xls")},
        {QStringLiteral("d"), QStringLiteral("d.xls")},
        {QStringLiteral("e.xlsx"), QStringLiteral("e.xlsx.xls")},
        {QStringLiteral("销售.txt"), QStringLiteral("销售.txt.xls")},
    };
    QStringList expected;
    for (const auto &[chosen, file] : cases) {
        exportAs(chosen);
        expected << file;
    }
    expected.sort();
    EXPECT_EQ(written(), expected);
    EXPECT_EQ(responder.fileFilters.front(), QStringLiteral("*.xls"));
    EXPECT_EQ(responder.texts(), std::vector<QString>(std::size(cases), QStringLiteral("成功导出全部数据!")));
    EXPECT_EQ(responder.shown.back().title, QStringLiteral("提示"));
    EXPECT_EQ(responder.shown.back().icon, Dialogs::Icon::None);
}

TEST_F(ExportTest, CancelWritesNothingAndSaysNothing)
{
    exportAs(QString());
    EXPECT_TRUE(written().isEmpty());
    EXPECT_TRUE(responder.shown.empty());
    EXPECT_EQ(responder.fileFilters.size(), 1u);
}

TEST_F(ExportTest, EveryListedTicketIsWrittenWhateverTheSelection)
{
    clickCell(grid, 2, 1);
    ASSERT_EQ(grid->rowSet()->recNo(), 3);
    exportAs(QStringLiteral("all"));

    const std::vector<ReadSheet> book = ReadWorkbook(out.filePath(QStringLiteral("all.xls")));
    ASSERT_EQ(book.size(), 1u);
    const ReadSheet &sheet = book[0];
    ASSERT_EQ(sheet.rows.size(), 6u);
    EXPECT_EQ(numbersIn(sheet).front(), TextCell(QStringLiteral("20240301120000")));
    EXPECT_EQ(sheet.rows[4][4], NumberCell(12.345 * 4)); // every decimal, not the list's two
    EXPECT_EQ(grid->rowSet()->recNo(), 5);
    EXPECT_EQ(grid->selectedRowPositions(), std::vector<int>{4});

    // After a search only its result is written, in its order; an empty one
    // gives the title row alone.
    searchCashier(QStringLiteral("李四"));
    exportAs(QStringLiteral("found.xls"));
    searchCashier(QStringLiteral("nobody"));
    exportAs(QStringLiteral("none.xls"));
    EXPECT_EQ(numbersIn(ReadWorkbook(out.filePath(QStringLiteral("found.xls")))[0]),
              (QStringList{TextCell(QStringLiteral("20240302120000")), TextCell(QStringLiteral("20240304120000"))}));
    EXPECT_EQ(ReadWorkbook(out.filePath(QStringLiteral("none.xls")))[0].rows.size(), 1u);
    EXPECT_EQ(responder.texts(), std::vector<QString>(3, QStringLiteral("成功导出全部数据!")));
}

TEST_F(ExportTest, FileThatCannotBeWrittenIsReportedWithoutSuccess)
{
    exportAs(QStringLiteral("missing-folder/tickets"));
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
    EXPECT_TRUE(responder.shown[0].text.contains(QStringLiteral("tickets.xls")));
    EXPECT_TRUE(written().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(out.filePath(QStringLiteral("missing-folder"))));

    // The window goes on working.
    exportAs(QStringLiteral("tickets"));
    EXPECT_EQ(written(), QStringList{QStringLiteral("tickets.xls")});
    EXPECT_EQ(responder.shown.back().text, QStringLiteral("成功导出全部数据!"));
}

} // namespace
