#include "tests/records/RecordsFixture.h"

#include "app/Application.h"
#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "tests/support/CounterDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
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

} // namespace
