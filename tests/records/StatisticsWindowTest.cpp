#include "tests/records/RecordsFixture.h"

#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

const QString T1 = QStringLiteral("20240301090000");
const QString T2 = QStringLiteral("20240302235959");
const QString T3 = QStringLiteral("20240303000000");

class StatisticsTest : public RecordsTest
{
protected:
    void SetUp() override
    {
        // Stored out of number order, with one ticket that has no number.
        store(Ticket{T3, QStringLiteral("2024-03-03 00:00:00"), 3, 7.25, 7.25, QStringLiteral("O'Brien")});
        store(Ticket{T1, QStringLiteral("2024-03-01 09:00:00"), 2, 10.126, 9.5, QStringLiteral("张三")});
        store(Ticket{QString(), QStringLiteral("2024-03-02 12:00:00"), 5, 5, 5, QStringLiteral("张三")});
        store(Ticket{T2, QStringLiteral("2024-03-02 23:59:59"), 1, 3, 3, QStringLiteral("李四")});
        statistics.reload();
        statistics.show();
    }

    QStringList listed() const { return columnTexts(*grid->rowSet(), QStringLiteral("单号")); }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }
    QStringList footer() const
    {
        return {grid->footerText(0), grid->footerText(3), grid->footerText(4), grid->footerText(5)};
    }
    void searchByDates(const QDate &from, const QDate &to)
    {
        if (!byDatesBox->isChecked())
            QTest::mouseClick(byDatesBox, Qt::LeftButton);
        fromDate->setDate(from);
        toDate->setDate(to);
        QTest::mouseClick(searchButton, Qt::LeftButton);
    }
    void search(const QString &number, const QString &cashier)
    {
        numberBox->setText(number);
        cashierBox->setText(cashier);
        QTest::mouseClick(searchButton, Qt::LeftButton);
    }
    // Double-clicks the current ticket's row, or the empty list.
    void doubleClickCurrent() { doubleClickCell(grid, grid->rowSet()->currentIndex(), 2); }

    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
    QLineEdit *numberBox = Find<QLineEdit>(statistics, "Edit1");
    QLineEdit *cashierBox = Find<QLineEdit>(statistics, "Edit2");
    QLineEdit *detailNumberBox = Find<QLineEdit>(statistics, "Edit3");
    QToolButton *deleteButton = Find<QToolButton>(statistics, "SpeedButton2");
    QToolButton *closeButton = Find<QToolButton>(statistics, "SpeedButton3");
    QToolButton *searchButton = Find<QToolButton>(statistics, "SpeedButton4");
    QToolButton *refreshButton = Find<QToolButton>(statistics, "SpeedButton5");
    QCheckBox *byDatesBox = Find<QCheckBox>(statistics, "CheckBox1");
    QDateEdit *fromDate = Find<QDateEdit>(statistics, "DateTimePicker1");
    QDateEdit *toDate = Find<QDateEdit>(statistics, "DateTimePicker2");
    DataGrid *grid = Find<DataGrid>(statistics, "DBGridEh1");
    DataGrid *detailGrid = Find<DataGrid>(detail, "DBGridEh1");
};

TEST_F(StatisticsTest, OpeningListsEveryTicketInNumberOrderWithFooterSums)
{
    EXPECT_EQ(listed(), (QStringList{QString(), T1, T2, T3}));
    EXPECT_EQ(grid->cellText(1, 4), QStringLiteral("10.13"));
    // The sums keep every decimal: the general number form, not the cells' "#0.##".
    EXPECT_EQ(
        footer(),
        (QStringList{QStringLiteral("合计"), QStringLiteral("11"), QStringLiteral("25.376"), QStringLiteral("24.75")}));
}

TEST_F(StatisticsTest, QueryMatchesNumberAndCashierTogether)
{
    struct Case
    {
        QString number, cashier;
        QStringList expected;
    };
    const Case cases[] = {
        {QString(), QString(), {T1, T2, T3}}, // a ticket without number never shows
        {QStringLiteral("0302"), QString(), {T2}},
        {QStringLiteral("2024030"), QStringLiteral("张"), {T1}},
        {QStringLiteral("0301"), QStringLiteral("李"), {}},
        {QString(), QStringLiteral("'"), {T3}}, // a quote is searched for, not an error
        {QStringLiteral("'); drop table xstj; --"), QString(), {}},
        {QStringLiteral("%"), QString(), {}}, // searched for as any other character
        {QStringLiteral("0_0"), QStringLiteral("三"), {}},
        {QStringLiteral("030"), QStringLiteral("三"), {T1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.number + QLatin1Char('|') + c.cashier).toStdString());
        search(c.number, c.cashier);
        EXPECT_TRUE(responder.shown.empty());
        EXPECT_EQ(sorted(listed()), c.expected);
    }
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 4);
    // The empty result of the last miss but one showed the fixed footer and zero sums.
    search(QStringLiteral("0301"), QStringLiteral("李"));
    EXPECT_EQ(footer(),
              (QStringList{QStringLiteral("合计"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

TEST_F(StatisticsTest, DateSpanIncludesTheWholeToDateAndIgnoresTheBoxes)
{
    numberBox->setText(QStringLiteral("no such number"));
    cashierBox->setText(QStringLiteral("nobody"));

    searchByDates(QDate(2024, 3, 2), QDate(2024, 3, 2));
    EXPECT_EQ(sorted(listed()), (QStringList{QString(), T2}));

    searchByDates(QDate(2024, 3, 1), QDate(2024, 3, 2));
    EXPECT_EQ(sorted(listed()), (QStringList{QString(), T1, T2}));
    EXPECT_EQ(grid->footerText(3), QStringLiteral("8"));

    searchByDates(QDate(2024, 3, 3), QDate(2024, 3, 3));
    EXPECT_EQ(listed(), QStringList{T3});

    searchByDates(QDate(2024, 3, 3), QDate(2024, 3, 1));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(StatisticsTest, RefreshListsInStoredOrderAndKeepsTheSearchInputs)
{
    numberBox->setText(QStringLiteral("0302"));
    QTest::mouseClick(refreshButton, Qt::LeftButton);
    EXPECT_EQ(listed(), (QStringList{T3, T1, QString(), T2}));
    EXPECT_EQ(numberBox->text(), QStringLiteral("0302"));
}

TEST_F(StatisticsTest, DeleteAsksThenRemovesTheTicketButKeepsItsLines)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 3, 2, 6, 6});
    clickCell(grid, 1, 1);
    responder.confirmAnswer = false;
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 4);
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_TRUE(responder.shown.front().text.contains(T1));

    responder.confirmAnswer = true;
    responder.shown.clear();
    QTest::mouseClick(deleteButton, Qt::LeftButton);

    EXPECT_EQ(listed(), (QStringList{QString(), T2, T3}));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
    EXPECT_EQ(data.scalar(QStringLiteral("select count(*) from xstj where 单号 = '%1'").arg(T1)), QStringLiteral("0"));
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 1);
    EXPECT_EQ(
        footer(),
        (QStringList{QStringLiteral("合计"), QStringLiteral("9"), QStringLiteral("15.25"), QStringLiteral("15.25")}));
    EXPECT_EQ(responder.shown.size(), 1u); // the question only

    // Delete on an empty list deletes nothing.
    search(QStringLiteral("nothing matches"), QString());
    QTest::mouseClick(deleteButton, Qt::LeftButton);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
}

TEST_F(StatisticsTest, ShowingResetsTheSearchButTheTimeSwitchStays)
{
    statistics.hide();
    QTest::mouseClick(byDatesBox, Qt::LeftButton);
    EXPECT_TRUE(fromDate->isEnabled() && toDate->isEnabled());
    fromDate->setDate(QDate(2020, 1, 1));
    toDate->setDate(QDate(2020, 1, 2));
    search(QStringLiteral("0302"), QStringLiteral("李"));
    EXPECT_TRUE(listed().isEmpty());

    store(Ticket{QStringLiteral("20240304100000"), QStringLiteral("2024-03-04 10:00:00"), 1, 1, 1, QString()});
    runModal(
        [this] {
            statistics.reload();
            statistics.exec();
        },
        [this](QWidget *shown) {
            EXPECT_EQ(shown, &statistics);
            EXPECT_TRUE(byDatesBox->isChecked());
            EXPECT_TRUE(fromDate->isEnabled() && toDate->isEnabled());
            EXPECT_EQ(fromDate->date(), QDate::currentDate());
            EXPECT_EQ(toDate->date(), QDate::currentDate());
            EXPECT_TRUE(numberBox->text().isEmpty() && cashierBox->text().isEmpty());
            EXPECT_EQ(listed().size(), 5); // all tickets again, as the file holds them now
            QTest::mouseClick(closeButton, Qt::LeftButton);
            EXPECT_FALSE(statistics.isVisible());
        });
}

TEST_F(StatisticsTest, DetailListsExactlyTheLinesOfTheDoubleClickedTicket)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 12.5, 2, 25, 22.5});
    store(SoldLine{T2, QStringLiteral("雪碧"), 3, 1, 3, 3});
    store(SoldLine{T1, QStringLiteral("面包"), 3, 1.5, 4.5, 4.5});
    store(SoldLine{QString(), QStringLiteral("无单号"), 1, 1, 1, 1});
    // Numbers are matched by containment: a longer number holding T2 counts, a part of it does not.
    store(SoldLine{T2 + QStringLiteral("-1"), QStringLiteral("长单号"), 1, 1, 1, 1});
    store(SoldLine{T2.mid(2), QStringLiteral("短单号"), 1, 1, 1, 1});

    for (const auto &[row, number, names] :
         {std::tuple{1, T1, QStringList{QStringLiteral("可乐"), QStringLiteral("面包")}},
          std::tuple{2, T2, QStringList{QStringLiteral("雪碧"), QStringLiteral("长单号")}},
          std::tuple{3, T3, QStringList{}}}) {
        SCOPED_TRACE(QString(number).toStdString());
        runModal([this, row] { doubleClickCell(grid, row, 2); },
                 [&, this](QWidget *shown) {
                     EXPECT_EQ(shown, &detail);
                     EXPECT_EQ(detailNumberBox->text(), number);
                     EXPECT_EQ(columnTexts(*detailGrid->rowSet(), QStringLiteral("品名")), names);
                 });
    }

    runModal([this] { doubleClickCell(grid, 1, 2); },
             [this](QWidget *) {
                 DataGrid *grid = detailGrid;
                 EXPECT_EQ(grid->cellText(0, 4), QStringLiteral("12.5"));
                 EXPECT_EQ(grid->cellText(1, 4), QStringLiteral("3"));
                 EXPECT_EQ((QStringList{grid->footerText(0), grid->footerText(4), grid->footerText(5),
                                        grid->footerText(6), grid->footerText(7)}),
                           (QStringList{QStringLiteral("合计"), QString(), QStringLiteral("3.5"),
                                        QStringLiteral("29.5"), QStringLiteral("27")}));
             });
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 6);
}

TEST_F(StatisticsTest, DetailOfAnEmptyListShowsEveryNumberedLineAndDeletesNothing)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 3, 1, 3, 3});
    store(SoldLine{T2, QStringLiteral("雪碧"), 3, 1, 3, 3});
    store(SoldLine{QString(), QStringLiteral("无单号"), 1, 1, 1, 1});
    search(QStringLiteral("nothing matches"), QString());
    ASSERT_EQ(grid->rowSet()->recordCount(), 0);

    for (int opening = 0; opening < 2; ++opening) {
        runModal([this] { doubleClickCurrent(); },
                 [this](QWidget *) {
                     EXPECT_TRUE(detailNumberBox->text().isEmpty());
                     EXPECT_EQ(columnTexts(*detailGrid->rowSet(), QStringLiteral("品名")),
                               (QStringList{QStringLiteral("可乐"), QStringLiteral("雪碧")}));
                 });
    }
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 3);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 4);
}

} // namespace
