#include "tests/records/RecordsFixture.h"

#include "grid/DataGrid.h"
#include "records/CatalogueWindow.h"

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
        data.exec(QStringLiteral("insert into spxx (品名, 单价, 备注, 条码) values ('可乐', 3, '冰', '6901234567892'), "
                                 "('雪碧', 2.5, '', '')"));
        window.reload();
        window.show();
    }

    void fill(const QString &name, const QString &price, const QString &remark)
    {
        nameBox->setText(name);
        priceBox->setText(price);
        remarkBox->setText(remark);
    }
    void click(QToolButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    bool rowChosen() const { return !addButton->isEnabled() && modifyButton->isEnabled() && deleteButton->isEnabled(); }
    bool idle() const { return addButton->isEnabled() && !modifyButton->isEnabled() && !deleteButton->isEnabled(); }
    QStringList stored(int rowid) const
    {
        QStringList values;
        for (const char *column : {"品名", "单价", "备注"})
            values << data.scalar(
                QStringLiteral("select %1 from spxx where rowid = %2").arg(QString::fromUtf8(column)).arg(rowid));
        return values;
    }

    CatalogueWindow window{session};
    QLineEdit *nameBox = Find<QLineEdit>(window, "Edit1");
    QLineEdit *priceBox = Find<QLineEdit>(window, "Edit2");
    QLineEdit *remarkBox = Find<QLineEdit>(window, "Edit3");
    QLineEdit *barcodeBox = Find<QLineEdit>(window, "Edit4");
    QLineEdit *shortCodeBox = Find<QLineEdit>(window, "Edit5");
    QToolButton *addButton = Find<QToolButton>(window, "SpeedButton1");
    QToolButton *modifyButton = Find<QToolButton>(window, "SpeedButton2");
    QToolButton *deleteButton = Find<QToolButton>(window, "SpeedButton3");
    DataGrid *grid = Find<DataGrid>(window, "DBGridEh1");
};

// "\b" is a backspace.
TEST_F(CatalogueTest, PriceBoxTakesDigitsBackspaceAndOnePoint)
{
    struct Case
    {
        const char *before;
        int caret;
        const char *typed, *after;
    };
    const Case cases[] = {
        {"", 0, "1.5.", "1.5"}, // the second point is swallowed
        {"", 0, "a-1b2 +", "12"}, // letters, signs and blanks are swallowed
        {"", 0, "..3", ".3"},      {"12.5", 0, ".", "12.5"}, // wherever the caret stands
        {"12.5", 4, "\b\b", "12"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        priceBox->setText(QString::fromLatin1(c.before));
        priceBox->setCursorPosition(c.caret);
        QTest::keyClicks(priceBox, QString::fromLatin1(c.typed));
        EXPECT_EQ(priceBox->text(), QString::fromLatin1(c.after));
    }
    // The other boxes take anything.
    QTest::keyClicks(nameBox, QStringLiteral("a-1.."));
    EXPECT_EQ(nameBox->text(), QStringLiteral("a-1.."));
}

TEST_F(CatalogueTest, ChosenRowIsModifiedOnlyWithNameAndPrice)
{
    clickCell(grid, 1, 1);
    EXPECT_TRUE(rowChosen());
    EXPECT_EQ((QStringList{nameBox->text(), priceBox->text(), remarkBox->text()}), stored(2));

    // An emptied name leaves everything as it was, silently.
    nameBox->clear();
    click(modifyButton);
    EXPECT_EQ(stored(2).front(), QStringLiteral("雪碧"));
    EXPECT_TRUE(rowChosen());

    fill(QStringLiteral("七喜"), QStringLiteral("2.8"), QStringLiteral("罐装"));
    click(modifyButton);
    EXPECT_EQ(stored(2), (QStringList{QStringLiteral("七喜"), QStringLiteral("2.8"), QStringLiteral("罐装")}));
    EXPECT_EQ(stored(1).front(), QStringLiteral("可乐"));
    EXPECT_EQ(grid->cellText(1, 1), QStringLiteral("七喜"));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(nameBox->text().isEmpty());
    EXPECT_TRUE(responder.shown.empty());
}

// A price alone is a product. An empty or unreadable price would be stored,
// and picking the product at the counter would then fail; a pasted text can
// hold anything.
TEST_F(CatalogueTest, AddAppendsTheBoxesAndAddAndModifyRefuseAPriceThatCannotBeStored)
{
    struct Case
    {
        QString name, price, remark, warning;
    };
    const QString notANumber = QStringLiteral("单价不是有效的数字！"), tooLarge = QStringLiteral("单价超出范围！");
    const Case cases[] = {
        {QStringLiteral("橙汁"), QStringLiteral("4.5"), QStringLiteral("大杯"), QString()},
        {QString(), QStringLiteral("2"), QString(), QString()},
        {QStringLiteral("金条"), QStringLiteral("100000000000"), QString(), QString()}, // the largest price
        {QStringLiteral("饼干"), QString(), QStringLiteral("备注"), QStringLiteral("单价不能为空！")},
        {QStringLiteral("饼干"), QStringLiteral("abc"), QString(), notANumber},
        {QStringLiteral("饼干"), QStringLiteral("1.2.3"), QString(), notANumber},
        {QStringLiteral("饼干"), QStringLiteral("100000000000.01"), QString(), tooLarge},
        {QStringLiteral("饼干"), QStringLiteral("-2e11"), QString(), tooLarge},
        {QStringLiteral("饼干"), QString(400, QLatin1Char('9')), QString(), tooLarge}, // typed, beyond any double
    };
    int rows = 2;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.price.toStdString());
        responder.shown.clear();
        fill(c.name, c.price, c.remark);
        click(addButton);
        if (c.warning.isEmpty()) {
            ++rows;
            EXPECT_TRUE(responder.shown.empty());
            EXPECT_EQ(grid->cellText(rows - 1, 1), c.name);
            EXPECT_EQ(stored(rows), (QStringList{c.name, c.price, c.remark}));
            EXPECT_TRUE(nameBox->text().isEmpty() && priceBox->text().isEmpty() && remarkBox->text().isEmpty());
            EXPECT_TRUE(idle());
            continue;
        }
        EXPECT_EQ(responder.texts(), std::vector<QString>{c.warning});
        EXPECT_EQ(responder.shown.back().icon, Dialogs::Icon::Warning);
        EXPECT_EQ(nameBox->text(), c.name); // the boxes stay for correcting
        clickCell(grid, 1, 1);
        priceBox->setText(c.price);
        click(modifyButton);
        EXPECT_EQ(responder.texts(), std::vector<QString>(2, c.warning));
        EXPECT_EQ(stored(2)[1], QStringLiteral("2.5"));
        EXPECT_TRUE(rowChosen());
        window.reload();
    }

    // With neither name nor price, a hint only.
    responder.shown.clear();
    fill(QString(), QString(), QStringLiteral("备注而已"));
    click(addButton);
    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("添加商品不能为空！")});
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(data.count(QStringLiteral("spxx")), rows);
    EXPECT_EQ(remarkBox->text(), QStringLiteral("备注而已"));
}

// A new product's short code is its name's pinyin initials unless one is
// typed; a barcode another product holds is refused, naming it, when adding
// and when modifying, while a product keeps its own.
TEST_F(CatalogueTest, CodesAreStoredWithInitialsByDefaultAndABarcodeOnce)
{
    struct Case
    {
        const char *name, *barcode, *shortCode, *stored;
    };
    const Case cases[] = {
        {"绿茶", "6920202888883", "", "lc"}, {"可口可乐", "", "", "kkkl"},
        {"乐事500g", "", "", "ls500g"},      {"の茶", "", "", "c"}, // no reading, no initial
        {"果汁", "", "gz1", "gz1"},          {"冰红茶", "6901234567892", "", nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        responder.shown.clear();
        fill(QString::fromUtf8(c.name), QStringLiteral("3"), QString());
        barcodeBox->setText(QString::fromUtf8(c.barcode));
        shortCodeBox->setText(QString::fromUtf8(c.shortCode));
        click(addButton);
        if (!c.stored) {
            EXPECT_EQ(responder.texts(),
                      std::vector<QString>{QStringLiteral("条码 6901234567892 已属于商品“可乐”，不能重复使用！")});
            continue;
        }
        EXPECT_TRUE(responder.shown.empty());
        EXPECT_EQ(data.scalar(QStringLiteral("select 简码 || '|' || 条码 from spxx where 品名 = '%1'").arg(c.name)),
                  QStringLiteral("%1|%2").arg(c.stored, c.barcode));
    }
    responder.shown.clear();
    clickCell(grid, 1, 1);
    barcodeBox->setText(QStringLiteral("6901234567892"));
    click(modifyButton);
    clickCell(grid, 0, 1);
    EXPECT_EQ(barcodeBox->text(), QStringLiteral("6901234567892"));
    click(modifyButton);
    EXPECT_EQ(responder.texts(),
              std::vector<QString>{QStringLiteral("条码 6901234567892 已属于商品“可乐”，不能重复使用！")});
    EXPECT_EQ(data.count(QStringLiteral("spxx where 条码 = '6901234567892'")), 1);
}

TEST_F(CatalogueTest, DeleteRemovesTheCurrentRowWithoutAsking)
{
    clickCell(grid, 0, 2);
    click(deleteButton);
    EXPECT_EQ(data.scalar(QStringLiteral("select group_concat(品名) from spxx")), QStringLiteral("雪碧"));
    EXPECT_TRUE(idle());

    // With the list emptied under a chosen row, Delete deletes nothing and a
    // click chooses no row.
    clickCell(grid, 0, 1);
    QTest::keyClick(grid->view(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(data.count(QStringLiteral("spxx")), 0);
    data.exec(QStringLiteral("insert into spxx (品名) values ('别处加的')"));
    click(deleteButton);
    EXPECT_EQ(data.count(QStringLiteral("spxx")), 1);
    clickCell(grid, 0, 0);
    EXPECT_TRUE(idle());
    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("删除记录？")});
}

} // namespace
