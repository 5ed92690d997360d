#include "tests/records/RecordsFixture.h"

#include "app/Windows.h"
#include "counter/MainUnit.h"
#include "grid/DataGrid.h"
#include "records/SpxxUnit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {

class CatalogueTest : public RecordsTest
{
protected:
    void SetUp() override
    {
        data.exec(QStringLiteral("insert into spxx (品名, 单价, 备注) values ('可乐', 3, '冰'), ('雪碧', 2.5, '')"));
        SpxxForm->Reload();
        SpxxForm->show();
    }

    void fill(const QString &name, const QString &price, const QString &remark)
    {
        SpxxForm->Edit1->setText(name);
        SpxxForm->Edit2->setText(price);
        SpxxForm->Edit3->setText(remark);
    }
    void click(QToolButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    bool rowChosen() const
    {
        return !SpxxForm->SpeedButton1->isEnabled() && SpxxForm->SpeedButton2->isEnabled()
            && SpxxForm->SpeedButton3->isEnabled();
    }
    bool idle() const
    {
        return SpxxForm->SpeedButton1->isEnabled() && !SpxxForm->SpeedButton2->isEnabled()
            && !SpxxForm->SpeedButton3->isEnabled();
    }
    QString stored(const QString &column, int rowid) const
    {
        return data.scalar(QStringLiteral("select %1 from spxx where rowid = %2").arg(column).arg(rowid));
    }
};

TEST_F(CatalogueTest, AddAppendsTheBoxesWheneverNameOrPriceIsGiven)
{
    struct Case {
        QString name, price, remark;
    };
    const Case cases[] = {
        {QStringLiteral("橙汁"), QStringLiteral("4.5"), QStringLiteral("大杯")},
        {QString(), QStringLiteral("2"), QString()},       // a price alone is a product
        {QStringLiteral("茶"), QString(), QStringLiteral("x")}, // a name alone stores no price
    };
    int expectedRows = 2;
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.name + QLatin1Char('|') + c.price).toStdString());
        fill(c.name, c.price, c.remark);
        click(SpxxForm->SpeedButton1);
        ++expectedRows;
        ASSERT_EQ(data.count(QStringLiteral("spxx")), expectedRows);
        EXPECT_EQ(SpxxForm->ADOQuery1.recordCount(), expectedRows);
        EXPECT_EQ(SpxxForm->DBGridEh1->cellText(expectedRows - 1, 1), c.name);
        EXPECT_EQ(stored(QStringLiteral("品名"), expectedRows), c.name);
        EXPECT_EQ(stored(QStringLiteral("单价"), expectedRows), c.price);
        EXPECT_EQ(stored(QStringLiteral("备注"), expectedRows), c.remark);
        EXPECT_TRUE(SpxxForm->Edit1->text().isEmpty() && SpxxForm->Edit2->text().isEmpty()
                    && SpxxForm->Edit3->text().isEmpty());
        EXPECT_TRUE(idle());
    }
    EXPECT_TRUE(responder.shown.empty());
    EXPECT_EQ(data.scalar(QStringLiteral("select count(*) from spxx where 单价 is null")), QStringLiteral("1"));
}

TEST_F(CatalogueTest, AddWithNeitherNameNorPriceOnlyWarns)
{
    fill(QString(), QString(), QStringLiteral("备注而已"));
    click(SpxxForm->SpeedButton1);
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].text, QStringLiteral("添加商品不能为空！"));
    EXPECT_EQ(responder.shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 2);
    EXPECT_EQ(SpxxForm->Edit3->text(), QStringLiteral("备注而已"));
}

TEST_F(CatalogueTest, PriceBoxTakesDigitsBackspaceAndOnePoint)
{
    struct Case {
        const char *typed;
        const char *expected;
    };
    const Case cases[] = {
        {"1.5.", "1.5"},      // the second point is swallowed
        {"a-1b2 +", "12"},    // letters, signs and blanks are swallowed
        {"7.", "7."},
        {"..3", ".3"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        SpxxForm->Edit2->clear();
        QTest::keyClicks(SpxxForm->Edit2, QString::fromLatin1(c.typed));
        EXPECT_EQ(SpxxForm->Edit2->text(), QString::fromLatin1(c.expected));
    }

    // Backspace works; a point is refused wherever the caret stands once the text holds one.
    SpxxForm->Edit2->setText(QStringLiteral("12.5"));
    SpxxForm->Edit2->setCursorPosition(0);
    QTest::keyClicks(SpxxForm->Edit2, QStringLiteral("."));
    EXPECT_EQ(SpxxForm->Edit2->text(), QStringLiteral("12.5"));
    SpxxForm->Edit2->end(false);
    QTest::keyClick(SpxxForm->Edit2, Qt::Key_Backspace);
    QTest::keyClick(SpxxForm->Edit2, Qt::Key_Backspace);
    EXPECT_EQ(SpxxForm->Edit2->text(), QStringLiteral("12"));

    // The other boxes take anything.
    SpxxForm->Edit1->clear();
    QTest::keyClicks(SpxxForm->Edit1, QStringLiteral("a-1.."));
    EXPECT_EQ(SpxxForm->Edit1->text(), QStringLiteral("a-1.."));
}

TEST_F(CatalogueTest, ChosenRowIsModifiedOnlyWithNameAndPrice)
{
    clickCell(SpxxForm->DBGridEh1, 1, 1);
    EXPECT_TRUE(rowChosen());
    EXPECT_EQ(SpxxForm->Edit1->text(), QStringLiteral("雪碧"));
    EXPECT_EQ(SpxxForm->Edit2->text(), QStringLiteral("2.5"));
    EXPECT_EQ(SpxxForm->Edit3->text(), QString());

    // An emptied price leaves everything as it was, silently.
    SpxxForm->Edit2->clear();
    click(SpxxForm->SpeedButton2);
    EXPECT_EQ(stored(QStringLiteral("单价"), 2), QStringLiteral("2.5"));
    EXPECT_TRUE(rowChosen());
    EXPECT_EQ(SpxxForm->Edit1->text(), QStringLiteral("雪碧"));

    fill(QStringLiteral("七喜"), QStringLiteral("2.8"), QStringLiteral("罐装"));
    click(SpxxForm->SpeedButton2);
    EXPECT_EQ(stored(QStringLiteral("品名"), 2), QStringLiteral("七喜"));
    EXPECT_EQ(stored(QStringLiteral("单价"), 2), QStringLiteral("2.8"));
    EXPECT_EQ(stored(QStringLiteral("备注"), 2), QStringLiteral("罐装"));
    EXPECT_EQ(stored(QStringLiteral("品名"), 1), QStringLiteral("可乐"));
    EXPECT_EQ(SpxxForm->DBGridEh1->cellText(1, 1), QStringLiteral("七喜"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(SpxxForm->Edit1->text().isEmpty());
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(CatalogueTest, PastedPriceThatIsNoNumberIsReportedAndNothingIsStored)
{
    fill(QStringLiteral("饼干"), QStringLiteral("abc"), QString());
    click(SpxxForm->SpeedButton1);
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
    EXPECT_TRUE(responder.shown[0].text.contains(QStringLiteral("'abc' is not a valid floating point value")));
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 2);
    EXPECT_EQ(SpxxForm->ADOQuery1.recordCount(), 2);

    // The list goes on working after the refusal.
    fill(QStringLiteral("饼干"), QStringLiteral("1"), QString());
    click(SpxxForm->SpeedButton1);
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 3);
}

TEST_F(CatalogueTest, DeleteRemovesTheCurrentRowWithoutAsking)
{
    clickCell(SpxxForm->DBGridEh1, 0, 2);
    click(SpxxForm->SpeedButton3);
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 1);
    EXPECT_EQ(data.scalar(QStringLiteral("select 品名 from spxx")), QStringLiteral("雪碧"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(responder.shown.empty());

    // With the list emptied, Delete deletes nothing and a click chooses no row.
    data.exec(QStringLiteral("delete from spxx"));
    SpxxForm->Reload();
    SpxxForm->SpeedButton3Click();
    clickCell(SpxxForm->DBGridEh1, 0, 0);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(CatalogueTest, CtrlDeleteInTheListAsksFirst)
{
    clickCell(SpxxForm->DBGridEh1, 1, 1);
    responder.confirmAnswer = false;
    QTest::keyClick(SpxxForm->DBGridEh1->view(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("Delete record?")});
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 2);

    responder.confirmAnswer = true;
    QTest::keyClick(SpxxForm->DBGridEh1->view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(data.scalar(QStringLiteral("select 品名 from spxx")), QStringLiteral("可乐"));
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 1);
}

TEST_F(CatalogueTest, OpeningResetsTheWindowAndClosingReloadsTheMainProductList)
{
    SpxxForm->hide();
    data.exec(QStringLiteral("insert into spxx (品名, 单价) values ('可乐', 3.5)"));
    MainForm->ComboBox1->setEditText(QStringLiteral("旧的文字"));

    runModal([] { MainForm->N1Click(); }, [](QWidget *shown) {
        EXPECT_EQ(shown, SpxxForm);
        EXPECT_EQ(SpxxForm->ADOQuery1.recordCount(), 3); // reloaded from the file
        clickCell(SpxxForm->DBGridEh1, 0, 1);
        SpxxForm->Edit1->setText(QStringLiteral("果汁"));
        SpxxForm->Edit2->setText(QStringLiteral("6"));
        SpxxForm->SpeedButton2Click();
        SpxxForm->Edit1->setText(QStringLiteral("留下的文字"));
        SpxxForm->SpeedButton1->setEnabled(false);
    });

    EXPECT_TRUE(MainForm->ComboBox1->currentText().isEmpty());
    QStringList items;
    for (int i = 0; i < MainForm->ComboBox1->count(); ++i)
        items << MainForm->ComboBox1->itemText(i);
    items.sort();
    EXPECT_EQ(items, (QStringList{QStringLiteral("可乐"), QStringLiteral("果汁"), QStringLiteral("雪碧")}));

    runModal([] { MainForm->N1Click(); }, [](QWidget *) {
        EXPECT_TRUE(SpxxForm->Edit1->text().isEmpty());
        EXPECT_TRUE(SpxxForm->SpeedButton1->isEnabled());
        EXPECT_FALSE(SpxxForm->SpeedButton2->isEnabled());
    });
}

} // namespace
