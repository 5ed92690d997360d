#include "tests/records/RecordsFixture.h"

#include "app/Application.h"
#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "records/ShiftHistoryWindow.h"
#include "records/ShiftWindow.h"
#include "tests/support/CounterDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

namespace {

class FromCounterTest : public RecordsTest
{
protected:
    static CounterDriver counter() { return CounterDriver(window("MainForm")); }

    Application program{session};
};

TEST_F(FromCounterTest, TheRecordsWindowsOpenReloadedAndResetAndTheCatalogueReloadsTheProductList)
{
    data.exec(QStringLiteral("insert into spxx (品名, 单价) values ('可乐', 3), ('雪碧', 2.5), ('可乐', 3.5)"));
    counter().product()->setEditText(QStringLiteral("旧的文字"));
    QWidget &catalogue = window("SpxxForm");

    runModal([] { counter().menuEntry("N1")->trigger(); },
             [&catalogue](QWidget *shown) {
                 EXPECT_EQ(shown, &catalogue);
                 DataGrid *grid = Find<DataGrid>(catalogue, "DBGridEh1");
                 EXPECT_EQ(grid->rowSet()->recordCount(), 3); // reloaded from the file
                 clickCell(grid, 0, 1);
                 Find<QLineEdit>(catalogue, "Edit1")->setText(QStringLiteral("果汁"));
                 Find<QLineEdit>(catalogue, "Edit2")->setText(QStringLiteral("6"));
                 QTest::mouseClick(Find<QToolButton>(catalogue, "SpeedButton2"), Qt::LeftButton);
                 Find<QLineEdit>(catalogue, "Edit1")->setText(QStringLiteral("留下的文字"));
             });

    EXPECT_TRUE(counter().product()->currentText().isEmpty());
    EXPECT_EQ(counter().product()->count(), 3);
    EXPECT_GE(counter().product()->findText(QStringLiteral("果汁")), 0);

    runModal([] { counter().menuEntry("N1")->trigger(); },
             [&catalogue](QWidget *) {
                 EXPECT_TRUE(Find<QLineEdit>(catalogue, "Edit1")->text().isEmpty());
                 EXPECT_TRUE(Find<QToolButton>(catalogue, "SpeedButton1")->isEnabled());
                 EXPECT_FALSE(Find<QToolButton>(catalogue, "SpeedButton2")->isEnabled());
             });

    QWidget &statistics = window("XstjForm");
    runModal([] { CounterDriver::click(counter().statistics()); },
             [&statistics](QWidget *shown) {
                 EXPECT_EQ(shown, &statistics);
                 EXPECT_FALSE(Find<QDateEdit>(statistics, "DateTimePicker1")->isEnabled());
                 QTest::mouseClick(Find<QCheckBox>(statistics, "CheckBox1"), Qt::LeftButton);
                 Find<QDateEdit>(statistics, "DateTimePicker2")->setDate(QDate(2020, 1, 2));
                 Find<QLineEdit>(statistics, "Edit1")->setText(QStringLiteral("0302"));
                 QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton4"), Qt::LeftButton);
             });

    store(Ticket{QStringLiteral("20240304100000"), QStringLiteral("2024-03-04 10:00:00"), 1, 1, 1, QString()});
    runModal([] { counter().menuEntry("N2")->trigger(); },
             [&statistics](QWidget *) {
                 // The time switch stays; the dates go back to today, the boxes are emptied.
                 EXPECT_TRUE(Find<QCheckBox>(statistics, "CheckBox1")->isChecked());
                 EXPECT_TRUE(Find<QDateEdit>(statistics, "DateTimePicker1")->isEnabled());
                 EXPECT_EQ(Find<QDateEdit>(statistics, "DateTimePicker2")->date(), QDate::currentDate());
                 EXPECT_TRUE(Find<QLineEdit>(statistics, "Edit1")->text().isEmpty());
                 EXPECT_EQ(Find<DataGrid>(statistics, "DBGridEh1")->rowSet()->recordCount(), 1);
                 QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton3"), Qt::LeftButton);
                 EXPECT_FALSE(statistics.isVisible());
             });
}

// A file refused by the restore's first check never closes the session, so a
// list open in the statistics window stays open (with the check skipped, the
// copy step would still refuse the file, but only after closing the session).
TEST_F(FromCounterTest, RestoreRefusedAtItsFirstCheckLeavesTheStatisticsListOpen)
{
    store(Ticket{QStringLiteral("20240304100000"), QStringLiteral("2024-03-04 10:00:00"), 1, 1, 1, QString()});
    const QString notOurs = data.dir() + QStringLiteral("/notes.bak");
    QFile file(notOurs);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("这不是数据文件");
    file.close();

    runModal([] { counter().menuEntry("N2")->trigger(); },
             [&](QWidget *statistics) {
                 const RowSet *listed = Find<DataGrid>(statistics, "DBGridEh1")->rowSet();
                 ASSERT_EQ(listed->recordCount(), 1);
                 responder.fileAnswers = {notOurs};
                 counter().menuEntry("N5")->trigger();
                 EXPECT_TRUE(responder.texts().back().startsWith(QStringLiteral("数据恢复失败，请重新恢复！")));
                 EXPECT_TRUE(listed->isOpen());
                 EXPECT_EQ(listed->recordCount(), 1);
             });
}

using ShiftCloseTest = RecordsTest;

// 交班 refuses a count that is no amount and keeps nothing; confirmed, the
// shift is stored, its slip printed with the difference named, and 交班记录
// lists and reprints it as printed.
TEST_F(ShiftCloseTest, ACountedShiftIsStoredPrintedListedAndReprinted)
{
    store(Ticket{QStringLiteral("20240301090000"), QStringLiteral("2024-03-01 09:00:00"), 1, 10, 9, "张三"});
    RecordingPrinter printer;
    ShiftWindow shift(session, printer);
    Find<QLineEdit>(shift, "FloatBox")->setText(QStringLiteral("100"));
    auto *counted = Find<QLineEdit>(shift, "CountedBox");
    const auto confirm = [&shift] { QTest::mouseClick(Find<QPushButton>(shift, "ConfirmButton"), Qt::LeftButton); };
    counted->setText(QStringLiteral("九十"));
    confirm();
    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("请输入点出的现金金额。")});
    EXPECT_EQ(data.count(QStringLiteral("jbjl")), 0);
    counted->setText(QStringLiteral("99.5"));
    EXPECT_EQ(Find<QLabel>(shift, "DifferenceLabel")->text(), QStringLiteral("-0.50 短款"));
    confirm();
    EXPECT_EQ(data.rows(QStringLiteral("select 班次, 收银员, 备用金, 现金实点, 差额, 单数 from jbjl")),
              QStringList{QStringLiteral("1|张三|100|99.5|-0.5|1")});
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].texts.back(), QStringLiteral("差额：-0.50（短款）"));

    ShiftHistoryWindow history(session, printer);
    history.reload();
    auto *table = Find<QTableWidget>(history, "ShiftTable");
    ASSERT_EQ(table->rowCount(), 1);
    table->setCurrentCell(0, 0);
    QTest::mouseClick(Find<QPushButton>(history, "ReprintButton"), Qt::LeftButton);
    ASSERT_EQ(printer.jobs.size(), 2u);
    EXPECT_EQ(printer.jobs[1].texts, printer.jobs[0].texts);
}

} // namespace
