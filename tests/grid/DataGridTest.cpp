#include "grid/DataGrid.h"
#include "grid/ChineseFileDates.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/support/PrintTo.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <tuple>

namespace {

// The row number, the name and the discounted amount of each line.
std::vector<GridColumn> LineColumns()
{
    std::vector<GridColumn> columns(3);
    columns[0].title = QStringLiteral("序号");
    columns[0].rowNumbers = true;
    columns[0].footer = FooterKind::Text;
    columns[0].footerText = QStringLiteral("合计");
    columns[1].field = QStringLiteral("品名");
    columns[2].field = QStringLiteral("折后");
    columns[2].displayFormat = QStringLiteral("#0.##");
    columns[2].footer = FooterKind::Sum;
    return columns;
}

class DataGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        connection.setConnectionString(DataFile::Path());
        grid.setColumns(LineColumns());
        grid.setFooterVisible(true);
        grid.setRowSet(&lines);
        grid.resize(420, 240);
    }

    void addLines(const std::vector<std::pair<QString, QVariant>> &rows)
    {
        for (const auto &[name, amount] : rows)
            connection.exec(QStringLiteral("insert into xsxx (品名, 折后) values (?1, ?2)"), {name, amount});
        lines.setStatement(QStringLiteral("select * from xsxx"));
        lines.open();
    }

    void show()
    {
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    void click(int row, Qt::KeyboardModifiers modifiers = {})
    {
        const QRect cell = grid.view()->visualRect(grid.view()->model()->index(row, 1));
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    TempData data;
    Session connection;
    RowSet lines{connection};
    DataGrid grid;
    RecordingResponder responder;
};

TEST_F(DataGridTest, CellsShowTheDisplayFormatAndRowNumbersArePaintedNotRead)
{
    addLines({{QStringLiteral("a"), 9.4905}, {QStringLiteral("b"), QVariant()}});
    EXPECT_EQ((std::vector<QString>{grid.cellText(0, 0), grid.cellText(0, 2), grid.cellText(1, 2)}),
              (std::vector<QString>{QString(), QStringLiteral("9.49"), QString()}));
}

TEST_F(DataGridTest, FooterKeepsFixedTextAndSumsCurrent)
{
    addLines({{QStringLiteral("a"), 1.25}, {QStringLiteral("b"), 2.5}, {QStringLiteral("c"), QVariant()}});
    EXPECT_EQ(grid.footerText(2), QStringLiteral("3.75"));

    lines.first();
    lines.deleteCurrent();
    EXPECT_EQ(grid.footerText(2), QStringLiteral("2.5"));
    lines.append();
    lines.setText(QStringLiteral("折后"), QStringLiteral("0.125"));
    lines.post();
    EXPECT_EQ(grid.footerText(2), QStringLiteral("2.625")); // the general number form, not "#0.##"

    lines.close();
    EXPECT_EQ(grid.view()->model()->rowCount(), 0);
    EXPECT_EQ(grid.footerText(2), QStringLiteral("0"));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("合计"));
}

TEST_F(DataGridTest, ClicksAndArrowsMoveTheCurrentRowAndTheRowSetMovesTheSelection)
{
    addLines({{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}, {QStringLiteral("c"), 3}});
    show();
    int clickedColumn = -1;
    int currentAtClick = -1;
    QObject::connect(&grid, &DataGrid::cellClicked, [&](int column) {
        clickedColumn = column;
        currentAtClick = lines.currentIndex(); // the row is current before the event
    });

    click(1);
    EXPECT_EQ(lines.currentIndex(), 1);
    EXPECT_EQ(clickedColumn, 1);
    EXPECT_EQ(currentAtClick, 1);

    QTest::keyClick(grid.view(), Qt::Key_Up);
    EXPECT_EQ(lines.currentIndex(), 0);

    lines.last();
    EXPECT_EQ(grid.selectedRowPositions(), std::vector<int>{2});
}

TEST_F(DataGridTest, AnEmptyGridPassesClicksOnAndAsksNothing)
{
    addLines({});
    show();
    QSignalSpy clicked(&grid, &DataGrid::cellClicked);
    QSignalSpy doubleClicked(&grid, &DataGrid::dblClicked);
    QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), -1);
    QTest::mouseDClick(grid.view()->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    EXPECT_EQ(doubleClicked.count(), 1);
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier); // nothing to delete: no question
    EXPECT_TRUE(responder.shown.empty());
}

// Ctrl+Delete asks first, then deletes the highlighted rows; the row after
// them becomes current. A plain Delete is not the grid's deletion.
TEST_F(DataGridTest, CtrlDeleteAsksAndDeletesTheHighlightedRowsOnOk)
{
    const struct
    {
        std::vector<int> clicked; // the first plainly, the others with Ctrl
        const char *question;
        const char *left;
        const char *current;
        const char *footer;
    } cases[] = {{{1}, "删除记录？", "acd", "c", "13"}, {{0, 2, 3}, "删除所有选中的记录？", "b", "b", "2"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.question);
        connection.exec(QStringLiteral("delete from xsxx"));
        addLines(
            {{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}, {QStringLiteral("c"), 4}, {QStringLiteral("d"), 8}});
        show();
        QSignalSpy deleted(&grid, &DataGrid::recordsDeleted);
        for (const int row : c.clicked)
            click(row, row == c.clicked.front() ? Qt::NoModifier : Qt::ControlModifier);
        responder.shown.clear();
        responder.confirmAnswer = false;
        QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
        QTest::keyClick(grid.view(), Qt::Key_Delete);
        ASSERT_EQ(responder.texts(), std::vector<QString>{QString::fromUtf8(c.question)});
        EXPECT_EQ(data.count(QStringLiteral("xsxx")), 4);

        responder.confirmAnswer = true;
        QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(data.scalar(QStringLiteral("select group_concat(品名, '') from xsxx")), QString::fromUtf8(c.left));
        EXPECT_EQ(deleted.count(), 1);
        EXPECT_EQ(lines.text(QStringLiteral("品名")), QString::fromUtf8(c.current));
        EXPECT_EQ(grid.footerText(2), QString::fromUtf8(c.footer));
    }
}

TEST_F(DataGridTest, ALargeRowSetIsDrawnOnlyWhereItIsSeen)
{
    connection.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200000) "
                                   "insert into xsxx (品名, 折后) select 'p' || i, 0.5 from n"));
    addLines({});
    int drawn = 0;
    QObject::connect(&grid, &DataGrid::columnCellDrawn, [&drawn] { ++drawn; });
    show();
    grid.repaint();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 4 * 40); // a screenful of rows, not 200,000
    EXPECT_EQ(grid.footerText(2), QStringLiteral("100000"));

    EXPECT_LT(grid.view()->model()->rowCount(), 40); // the view keeps a screenful

    lines.last();
    EXPECT_EQ(grid.firstShownRow() + grid.view()->currentIndex().row(), 199999);
    EXPECT_EQ(grid.selectedRowPositions(), std::vector<int>{199999});
    EXPECT_EQ(grid.cellText(199999, 1), QStringLiteral("p200000"));
}

// The view holds only the rows on screen: rows highlighted and then scrolled
// away from stay highlighted, and Ctrl+Delete deletes exactly them.
TEST_F(DataGridTest, HighlightedRowsOffScreenAreTheOnesDeleted)
{
    connection.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 100) "
                                   "insert into xsxx (品名, 折后) select 'p' || i, i from n"));
    addLines({});
    show();
    click(1);
    const int pageRows = grid.view()->model()->rowCount();
    for (int notch = 0; notch < 4; ++notch) {
        QWheelEvent down(QPointF(30, 30), grid.view()->viewport()->mapToGlobal(QPointF(30, 30)), {}, {0, -120},
                         Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.view()->viewport(), &down);
    }
    ASSERT_EQ(grid.firstShownRow(), 12); // three rows a notch
    EXPECT_EQ(lines.currentIndex(), 1); // scrolling does not move the current row
    click(5, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRowPositions(), (std::vector<int>{1, 17}));

    responder.confirmAnswer = true;
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(data.scalar(QStringLiteral("select count(*) from xsxx where 品名 in ('p2', 'p18')")),
              QStringLiteral("0"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 98);

    // Keys move the current row a row or a screen at a time and keep it on screen.
    for (const auto &[key, modifiers, current] :
         {std::tuple{Qt::Key_Home, Qt::ControlModifier, 0}, std::tuple{Qt::Key_PageDown, Qt::NoModifier, pageRows},
          std::tuple{Qt::Key_End, Qt::ControlModifier, 97}, std::tuple{Qt::Key_Up, Qt::NoModifier, 96}}) {
        QTest::keyClick(grid.view(), key, modifiers);
        EXPECT_EQ(lines.currentIndex(), current);
        EXPECT_EQ(grid.firstShownRow() + grid.view()->currentIndex().row(), current);
    }
    // A grid made lower keeps the current row on screen.
    grid.resize(420, 120);
    QApplication::processEvents();
    EXPECT_LT(grid.view()->model()->rowCount(), pageRows);
    EXPECT_EQ(grid.firstShownRow() + grid.view()->currentIndex().row(), 96);

    // A row deleted some other way moves the rows after it: only the current stays highlighted.
    click(0);
    click(2, Qt::ControlModifier);
    lines.deleteCurrent();
    EXPECT_EQ(grid.selectedRowPositions(), std::vector<int>{lines.currentIndex()});
}

// The file dialogs write a backup's date in Chinese, whatever the machine's language.
TEST(ChineseFileDatesTest, TheDateColumnIsChinese)
{
    QTemporaryDir folder;
    QFile backup(folder.filePath(QStringLiteral("备份.bak")));
    ASSERT_TRUE(backup.open(QIODevice::WriteOnly));
    ASSERT_TRUE(backup.setFileTime(QDateTime(QDate(2026, 12, 9), QTime(18, 45)), QFileDevice::FileModificationTime));
    backup.close();
    QFileSystemModel files;
    ChineseFileDates dates;
    dates.setSourceModel(&files);
    const QModelIndex root = files.setRootPath(folder.path());
    ASSERT_TRUE(QTest::qWaitFor([&] { return files.rowCount(root) == 1; }));
    const QModelIndex row = dates.mapFromSource(files.index(0, 0, root));
    EXPECT_EQ(row.siblingAtColumn(3).data().toString(), QStringLiteral("2026年12月9日 18:45"));
    EXPECT_EQ(row.data().toString(), QStringLiteral("备份.bak")); // the other columns as they are
}

} // namespace
