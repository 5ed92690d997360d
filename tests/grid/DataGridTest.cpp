#include "grid/DataGrid.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/support/PrintTo.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString kFormat = QStringLiteral("#0.##");

std::vector<GridColumn> LineColumns()
{
    GridColumn position;
    position.title = QStringLiteral("序号");
    position.width = 50;
    position.rowNumbers = true;
    position.footer = FooterKind::Text;
    position.footerText = QStringLiteral("合计");
    GridColumn name;
    name.field = QStringLiteral("品名");
    name.width = 150;
    GridColumn price;
    price.field = QStringLiteral("单价");
    price.width = 80;
    price.displayFormat = kFormat;
    GridColumn afterDiscount;
    afterDiscount.field = QStringLiteral("折后");
    afterDiscount.width = 100;
    afterDiscount.displayFormat = kFormat;
    afterDiscount.footer = FooterKind::Sum;
    return {position, name, price, afterDiscount};
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
            connection.exec(QStringLiteral("insert into xsxx (品名, 单价, 折后) values (?1, ?2, ?2)"), {name, amount});
        lines.setStatement(QStringLiteral("select * from xsxx"));
        lines.open();
    }

    void show()
    {
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QPoint cellCentre(int row, int column) const
    {
        return grid.view()->visualRect(grid.view()->model()->index(row, column)).center();
    }

    void click(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(grid.view()->viewport(), Qt::LeftButton, modifiers, cellCentre(row, 1));
    }

    TempData data;
    Session connection;
    RowSet lines{connection};
    DataGrid grid;
    RecordingResponder responder;
};

TEST_F(DataGridTest, CellsShowTheDisplayFormatAndRowNumbersArePaintedNotRead)
{
    addLines({{QStringLiteral("a"), 9.4905},
              {QStringLiteral("b"), 9.405},
              {QStringLiteral("c"), QVariant()},
              {QStringLiteral("d"), 12.5},
              {QStringLiteral("e"), 7.0}});
    const std::vector<QString> expected{QStringLiteral("9.49"), QStringLiteral("9.4"), QString(),
                                        QStringLiteral("12.5"), QStringLiteral("7")};
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(grid.cellText(row, 3), expected[size_t(row)]) << row;
        EXPECT_EQ(grid.cellText(row, 0), QString()) << row;
    }
    EXPECT_EQ(grid.cellText(0, 1), QStringLiteral("a"));
}

TEST_F(DataGridTest, FooterKeepsFixedTextAndSumsCurrent)
{
    addLines({{QStringLiteral("a"), 1.25}, {QStringLiteral("b"), 2.5}, {QStringLiteral("c"), QVariant()}});
    EXPECT_EQ(grid.footerText(0), QStringLiteral("合计"));
    EXPECT_EQ(grid.footerText(1), QString());
    EXPECT_EQ(grid.footerText(3), QStringLiteral("3.75"));

    lines.first();
    lines.deleteCurrent();
    EXPECT_EQ(grid.footerText(3), QStringLiteral("2.5"));
    lines.append();
    lines.setText(QStringLiteral("折后"), QStringLiteral("0.125"));
    lines.post();
    EXPECT_EQ(grid.footerText(3), QStringLiteral("2.625")); // the general number form, not "#0.##"
    lines.edit();
    lines.setText(QStringLiteral("折后"), QStringLiteral("1"));
    lines.post();
    EXPECT_EQ(grid.footerText(3), QStringLiteral("3.5"));

    lines.setStatement(QStringLiteral("select * from xsxx where 品名 = 'none'"));
    lines.open();
    EXPECT_EQ(grid.footerText(3), QStringLiteral("0"));
    EXPECT_EQ(grid.footerText(0), QStringLiteral("合计"));
    lines.close();
    EXPECT_EQ(grid.view()->model()->rowCount(), 0);
    EXPECT_EQ(grid.footerText(3), QStringLiteral("0"));
}

TEST_F(DataGridTest, ClicksAndArrowsMoveTheCurrentRowAndTheRowSetMovesTheSelection)
{
    addLines({{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}, {QStringLiteral("c"), 3}});
    show();
    QSignalSpy clicked(&grid, &DataGrid::cellClicked);
    int currentAtClick = -1;
    QObject::connect(&grid, &DataGrid::cellClicked, [&] { currentAtClick = lines.currentIndex(); });

    click(1);
    EXPECT_EQ(lines.currentIndex(), 1);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 1);
    EXPECT_EQ(currentAtClick, 1); // the row is current before the event

    QTest::keyClick(grid.view(), Qt::Key_Down);
    EXPECT_EQ(lines.currentIndex(), 2);
    QTest::keyClick(grid.view(), Qt::Key_Up);
    QTest::keyClick(grid.view(), Qt::Key_Up);
    EXPECT_EQ(lines.currentIndex(), 0);

    lines.last();
    EXPECT_EQ(grid.view()->currentIndex().row(), 2);
    EXPECT_EQ(grid.selectedRowPositions(), std::vector<int>{2});
    EXPECT_EQ(grid.view()->model()->headerData(2, Qt::Vertical, Qt::DisplayRole).toString().isEmpty(), false);
    EXPECT_EQ(grid.view()->model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), QString());
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

TEST_F(DataGridTest, CtrlDeleteAsksAndDeletesTheCurrentRowOnOk)
{
    addLines({{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}, {QStringLiteral("c"), 4}});
    show();
    QSignalSpy deleted(&grid, &DataGrid::recordsDeleted);
    click(1);

    responder.confirmAnswer = false;
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("Delete record?")});
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
    EXPECT_EQ(deleted.count(), 0);

    responder.confirmAnswer = true;
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 2);
    EXPECT_EQ(deleted.count(), 1);
    EXPECT_EQ(lines.recordCount(), 2);
    EXPECT_EQ(lines.text(QStringLiteral("品名")), QStringLiteral("c")); // the next row became current
    EXPECT_EQ(grid.view()->currentIndex().row(), 1);
    EXPECT_EQ(grid.footerText(3), QStringLiteral("5"));

    // A plain Delete is not the grid's deletion.
    QTest::keyClick(grid.view(), Qt::Key_Delete);
    EXPECT_EQ(lines.recordCount(), 2);
}

TEST_F(DataGridTest, CtrlDeleteWithSeveralRowsHighlightedDeletesThemAll)
{
    addLines({{QStringLiteral("a"), 1}, {QStringLiteral("b"), 2}, {QStringLiteral("c"), 4}, {QStringLiteral("d"), 8}});
    show();
    click(0);
    click(2, Qt::ControlModifier);
    click(3, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRowPositions(), (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(lines.currentIndex(), 3);

    responder.confirmAnswer = false;
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 4);

    responder.confirmAnswer = true;
    QTest::keyClick(grid.view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(responder.texts().back(), QStringLiteral("Delete all selected records?"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(data.scalar(QStringLiteral("select 品名 from xsxx")), QStringLiteral("b"));
    EXPECT_EQ(grid.footerText(3), QStringLiteral("2"));
    EXPECT_EQ(grid.view()->model()->rowCount(), 1);
}

TEST_F(DataGridTest, ALargeRowSetIsDrawnOnlyWhereItIsSeen)
{
    connection.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 200000) "
                                   "insert into xsxx (品名, 单价, 折后) select 'p' || i, i, 0.5 from n"));
    lines.setStatement(QStringLiteral("select * from xsxx"));
    lines.open();
    int drawn = 0;
    QObject::connect(&grid, &DataGrid::columnCellDrawn, [&drawn] { ++drawn; });
    show();
    grid.repaint();
    EXPECT_GT(drawn, 0);
    EXPECT_LT(drawn, 4 * 40); // a screenful of rows, not 200,000
    EXPECT_EQ(grid.view()->model()->rowCount(), 200000);
    EXPECT_EQ(grid.footerText(3), QStringLiteral("100000"));

    lines.last();
    EXPECT_EQ(grid.view()->currentIndex().row(), 199999);
    EXPECT_EQ(grid.cellText(199999, 1), QStringLiteral("p200000"));
}

} // namespace
