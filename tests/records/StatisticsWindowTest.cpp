#include "tests/records/RecordsFixture.h"

#include "app/Windows.h"
#include "counter/MainUnit.h"
#include "grid/DataGrid.h"
#include "records/XsmxUnit.h"
#include "records/XstjUnit.h"

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
        XstjForm->Reload();
        XstjForm->show();
    }

    QStringList listed() const { return columnTexts(XstjForm->ADOQuery1, QStringLiteral("单号")); }
    static QStringList sorted(QStringList list)
    {
        list.sort();
        return list;
    }
    QStringList footer() const
    {
        return {XstjForm->DBGridEh1->footerText(0), XstjForm->DBGridEh1->footerText(3),
                XstjForm->DBGridEh1->footerText(4), XstjForm->DBGridEh1->footerText(5)};
    }
    void searchByDates(const QDate &from, const QDate &to)
    {
        if (!XstjForm->CheckBox1->isChecked())
            QTest::mouseClick(XstjForm->CheckBox1, Qt::LeftButton);
        XstjForm->DateTimePicker1->setDate(from);
        XstjForm->DateTimePicker2->setDate(to);
        QTest::mouseClick(XstjForm->SpeedButton4, Qt::LeftButton);
    }
};

TEST_F(StatisticsTest, OpeningListsEveryTicketInNumberOrderWithFooterSums)
{
    EXPECT_EQ(listed(), (QStringList{QString(), T1, T2, T3}));
    EXPECT_EQ(XstjForm->DBGridEh1->cellText(1, 4), QStringLiteral("10.13"));
    // The sums keep every decimal: the general number form, not the cells' "#0.##".
    EXPECT_EQ(footer(), (QStringList{QStringLiteral("合计"), QStringLiteral("11"), QStringLiteral("25.376"),
                                     QStringLiteral("24.75")}));
}

TEST_F(StatisticsTest, QueryMatchesNumberAndCashierTogether)
{
    struct Case {
        QString number, cashier;
        QStringList expected;
    };
    const Case cases[] = {
        {QString(), QString(), {T1, T2, T3}}, // a ticket without number never shows
        {QStringLiteral("0302"), QString(), {T2}},
        {QStringLiteral("2024030"), QStringLiteral("张"), {T1}},
        {QStringLiteral("0301"), QStringLiteral("李"), {}},
        {QString(), QStringLiteral("'"), {T3}},          // a quote is searched for, not an error
        {QStringLiteral("'); drop table xstj; --"), QString(), {}},
        {QStringLiteral("%"), QString(), {T1, T2, T3}},  // the pattern characters still work
        {QStringLiteral("0_0"), QStringLiteral("三"), {T1}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.number + QLatin1Char('|') + c.cashier).toStdString());
        XstjForm->Edit1->setText(c.number);
        XstjForm->Edit2->setText(c.cashier);
        QTest::mouseClick(XstjForm->SpeedButton4, Qt::LeftButton);
        EXPECT_TRUE(responder.shown.empty());
        EXPECT_EQ(sorted(listed()), c.expected);
    }
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 4);
    // The empty result of the last miss but one showed the fixed footer and zero sums.
    XstjForm->Edit1->setText(QStringLiteral("0301"));
    XstjForm->Edit2->setText(QStringLiteral("李"));
    XstjForm->SpeedButton4Click();
    EXPECT_EQ(footer(), (QStringList{QStringLiteral("合计"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

TEST_F(StatisticsTest, DateSpanIncludesTheWholeToDateAndIgnoresTheBoxes)
{
    XstjForm->Edit1->setText(QStringLiteral("no such number"));
    XstjForm->Edit2->setText(QStringLiteral("nobody"));

    searchByDates(QDate(2024, 3, 2), QDate(2024, 3, 2));
    EXPECT_EQ(sorted(listed()), (QStringList{QString(), T2}));

    searchByDates(QDate(2024, 3, 1), QDate(2024, 3, 2));
    EXPECT_EQ(sorted(listed()), (QStringList{QString(), T1, T2}));
    EXPECT_EQ(XstjForm->DBGridEh1->footerText(3), QStringLiteral("8"));

    searchByDates(QDate(2024, 3, 3), QDate(2024, 3, 3));
    EXPECT_EQ(listed(), QStringList{T3});

    searchByDates(QDate(2024, 3, 3), QDate(2024, 3, 1));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(StatisticsTest, RefreshListsInStoredOrderAndKeepsTheSearchInputs)
{
    XstjForm->Edit1->setText(QStringLiteral("0302"));
    QTest::mouseClick(XstjForm->SpeedButton5, Qt::LeftButton);
    EXPECT_EQ(listed(), (QStringList{T3, T1, QString(), T2}));
    EXPECT_EQ(XstjForm->Edit1->text(), QStringLiteral("0302"));
}

TEST_F(StatisticsTest, DeleteRemovesTheTicketButKeepsItsLines)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 3, 2, 6, 6});
    clickCell(XstjForm->DBGridEh1, 1, 1);
    QTest::mouseClick(XstjForm->SpeedButton2, Qt::LeftButton);

    EXPECT_EQ(listed(), (QStringList{QString(), T2, T3}));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
    EXPECT_EQ(data.scalar(QStringLiteral("select count(*) from xstj where 单号 = '%1'").arg(T1)), QStringLiteral("0"));
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 1);
    EXPECT_EQ(footer(), (QStringList{QStringLiteral("合计"), QStringLiteral("9"), QStringLiteral("15.25"),
                                     QStringLiteral("15.25")}));
    EXPECT_TRUE(responder.shown.empty());

    // Delete on an empty list deletes nothing.
    XstjForm->Edit1->setText(QStringLiteral("nothing matches"));
    XstjForm->SpeedButton4Click();
    XstjForm->SpeedButton2Click();
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
}

TEST_F(StatisticsTest, ShowingResetsTheSearchButTheTimeSwitchStays)
{
    XstjForm->hide();
    runModal([] { MainForm->SpeedButton6Click(); }, [](QWidget *shown) {
        EXPECT_EQ(shown, XstjForm);
        EXPECT_FALSE(XstjForm->DateTimePicker1->isEnabled());
        QTest::mouseClick(XstjForm->CheckBox1, Qt::LeftButton);
        EXPECT_TRUE(XstjForm->DateTimePicker1->isEnabled() && XstjForm->DateTimePicker2->isEnabled());
        XstjForm->DateTimePicker1->setDate(QDate(2020, 1, 1));
        XstjForm->DateTimePicker2->setDate(QDate(2020, 1, 2));
        XstjForm->Edit1->setText(QStringLiteral("0302"));
        XstjForm->Edit2->setText(QStringLiteral("李"));
        XstjForm->SpeedButton4Click();
    });

    store(Ticket{QStringLiteral("20240304100000"), QStringLiteral("2024-03-04 10:00:00"), 1, 1, 1, QString()});
    runModal([] { MainForm->N2Click(); }, [this](QWidget *) {
        EXPECT_TRUE(XstjForm->CheckBox1->isChecked());
        EXPECT_TRUE(XstjForm->DateTimePicker1->isEnabled() && XstjForm->DateTimePicker2->isEnabled());
        EXPECT_EQ(XstjForm->DateTimePicker1->date(), QDate::currentDate());
        EXPECT_EQ(XstjForm->DateTimePicker2->date(), QDate::currentDate());
        EXPECT_TRUE(XstjForm->Edit1->text().isEmpty() && XstjForm->Edit2->text().isEmpty());
        EXPECT_EQ(listed().size(), 5); // all tickets again, as the file holds them now
        QTest::mouseClick(XstjForm->SpeedButton3, Qt::LeftButton);
        EXPECT_FALSE(XstjForm->isVisible());
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

    for (const auto &[row, number, names] : {std::tuple{1, T1, QStringList{QStringLiteral("可乐"), QStringLiteral("面包")}},
                                              std::tuple{2, T2, QStringList{QStringLiteral("雪碧"), QStringLiteral("长单号")}},
                                              std::tuple{3, T3, QStringList{}}}) {
        SCOPED_TRACE(QString(number).toStdString());
        runModal([row] { doubleClickCell(XstjForm->DBGridEh1, row, 2); }, [&](QWidget *shown) {
            EXPECT_EQ(shown, XsmxForm);
            EXPECT_EQ(XstjForm->Edit3->text(), number);
            EXPECT_EQ(columnTexts(XsmxForm->ADOQuery1, QStringLiteral("品名")), names);
        });
    }

    runModal([] { doubleClickCell(XstjForm->DBGridEh1, 1, 2); }, [](QWidget *) {
        DataGrid *grid = XsmxForm->DBGridEh1;
        EXPECT_EQ(grid->cellText(0, 4), QStringLiteral("12.5"));
        EXPECT_EQ(grid->cellText(1, 4), QStringLiteral("3"));
        EXPECT_EQ((QStringList{grid->footerText(0), grid->footerText(4), grid->footerText(5), grid->footerText(6),
                               grid->footerText(7)}),
                  (QStringList{QStringLiteral("合计"), QString(), QStringLiteral("3.5"), QStringLiteral("29.5"),
                               QStringLiteral("27")}));
    });
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 6);
}

TEST_F(StatisticsTest, DetailOfAnEmptyListShowsEveryNumberedLineAndDeletesNothing)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 3, 1, 3, 3});
    store(SoldLine{T2, QStringLiteral("雪碧"), 3, 1, 3, 3});
    store(SoldLine{QString(), QStringLiteral("无单号"), 1, 1, 1, 1});
    XstjForm->Edit1->setText(QStringLiteral("nothing matches"));
    XstjForm->SpeedButton4Click();
    ASSERT_EQ(XstjForm->ADOQuery1.recordCount(), 0);

    for (int opening = 0; opening < 2; ++opening) {
        runModal([] { XstjForm->DBGridEh1DblClick(); }, [](QWidget *) {
            EXPECT_TRUE(XstjForm->Edit3->text().isEmpty());
            EXPECT_EQ(columnTexts(XsmxForm->ADOQuery1, QStringLiteral("品名")),
                      (QStringList{QStringLiteral("可乐"), QStringLiteral("雪碧")}));
        });
    }
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 3);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 4);
}

TEST_F(StatisticsTest, CtrlDeleteInBothListsAsksFirst)
{
    store(SoldLine{T2, QStringLiteral("可乐"), 3, 1, 3, 3});
    clickCell(XstjForm->DBGridEh1, 1, 1);
    responder.confirmAnswer = true;
    QTest::keyClick(XstjForm->DBGridEh1->view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("Delete record?")});
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
    EXPECT_EQ(XstjForm->DBGridEh1->footerText(3), QStringLiteral("9"));

    responder.shown.clear();
    // The deleted ticket's successor, T2, is now current.
    runModal([] { XstjForm->DBGridEh1DblClick(); }, [](QWidget *) {
        ASSERT_EQ(XsmxForm->ADOQuery1.recordCount(), 1);
        QTest::keyClick(XsmxForm->DBGridEh1->view(), Qt::Key_Delete, Qt::ControlModifier);
    });
    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("Delete record?")});
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 0);
}

} // namespace
