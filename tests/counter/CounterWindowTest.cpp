#include "counter/CounterWindow.h"

#include "checkout/Checkout.h"
#include "data/store/Session.h"
#include "printers/ReceiptPrinter.h"

#include "base/NumberText.h"
#include "grid/DataGrid.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <ostream>

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

// The counter window on a fresh data file with a small catalogue. The longer
// name comes first, so a look-up by "contains" alone would take its price.
class CounterWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.exec(QStringLiteral("delete from spxx"));
        data.exec(QStringLiteral("insert into spxx (品名, 单价) values ('百事可乐', 3.5), ('可乐', 2.5), "
                                 "('面包', 4.8), ('Milk', 12.345)"));
        session.open();
        form = std::make_unique<CounterWindow>(session, checkout);
        form->start();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        responder.shown.clear();
    }

    // Types text as the keyboard would, one character per key press and release.
    static void type(QWidget *field, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(field, &release);
        }
    }

    // Empties a field with the keyboard: select all, then backspace.
    static void erase(QWidget *field)
    {
        if (auto *box = qobject_cast<QComboBox *>(field))
            box->lineEdit()->selectAll();
        else
            static_cast<QLineEdit *>(field)->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
    }

    static void retype(QWidget *field, const QString &text)
    {
        erase(field);
        type(field, text);
    }

    void enterLine(const QString &name, const QString &price, const QString &quantity, const QString &discount)
    {
        type(box("ComboBox1"), name);
        if (!price.isNull())
            retype(edit("Edit7"), price);
        retype(edit("Edit8"), quantity);
        retype(box("ComboBox2"), discount);
    }

    void clickLine(int row, Qt::KeyboardModifiers modifiers = {})
    {
        QTableView *view = grid()->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                          view->visualRect(view->model()->index(row, 1)).center());
    }

    QString line(int row, const char *column) const
    {
        return data.scalar(QStringLiteral("select %1 from xsxx order by ID limit 1 offset %2")
                               .arg(QString::fromUtf8(column))
                               .arg(row));
    }

    std::vector<QString> totals() const
    {
        return {label("Label18")->text(), label("Label19")->text(), label("Label20")->text(), edit("Edit12")->text(),
                edit("Edit13")->text()};
    }

    std::vector<QString> entry() const
    {
        return {box("ComboBox1")->currentText(), edit("Edit7")->text(), edit("Edit8")->text(),
                box("ComboBox2")->currentText(), edit("Edit9")->text(), edit("Edit10")->text()};
    }

    std::vector<bool> buttons() const
    {
        return {button("SpeedButton3")->isEnabled(), button("SpeedButton4")->isEnabled(),
                button("SpeedButton5")->isEnabled()};
    }

    QLineEdit *edit(const char *name) const { return Find<QLineEdit>(form.get(), name); }
    QComboBox *box(const char *name) const { return Find<QComboBox>(form.get(), name); }
    QToolButton *button(const char *name) const { return Find<QToolButton>(form.get(), name); }
    QLabel *label(const char *name) const { return Find<QLabel>(form.get(), name); }
    DataGrid *grid() const { return Find<DataGrid>(form.get(), "DBGridEh1"); }

    // These tests never print.
    struct NoPrinter : ReceiptPrinter
    {
        void print(const Report &, const QString &) override { ADD_FAILURE() << "printed"; }
    };

    TempData data;
    RecordingResponder responder;
    Session session;
    NoPrinter printer;
    Checkout checkout{session, printer};
    std::unique_ptr<CounterWindow> form;
};

const std::vector<bool> kEntering{true, false, false};
const std::vector<bool> kLineSelected{false, true, true};

TEST_F(CounterWindowTest, AWholeTicketWithPickModifyAndDelete)
{
    ASSERT_EQ(box("ComboBox2")->count(), 100);
    EXPECT_EQ(totals(), (std::vector<QString>{"0", "0", "0", "", ""}));

    // A typed prefix completes to a listed name, which counts as a pick.
    type(box("ComboBox1"), QStringLiteral("面"));
    EXPECT_EQ(entry(), (std::vector<QString>{"面包", "4.8", "1", "10", "4.8", "4.8"}));
    retype(edit("Edit8"), QStringLiteral("3"));
    retype(box("ComboBox2"), QStringLiteral("9.5"));
    EXPECT_EQ(edit("Edit9")->text(), QStringLiteral("14.4"));
    EXPECT_EQ(edit("Edit10")->text(), QStringLiteral("13.68"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(entry(), (std::vector<QString>{"", "", "1", "10", "", ""}));
    EXPECT_EQ(totals(), (std::vector<QString>{"3", "14.4", "13.68", "13.68", "0"}));

    // "可乐" takes its own price, not that of "百事可乐" listed before it.
    enterLine(QStringLiteral("可"), QString(), QStringLiteral("2"), QStringLiteral("10"));
    EXPECT_EQ(entry(), (std::vector<QString>{"可乐", "2.5", "2", "10", "5", "5"}));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);

    // A name typed by hand brings no price; the price typed computes the line.
    enterLine(QStringLiteral("自带"), QStringLiteral("3.3"), QStringLiteral("3"), QStringLiteral("9.5"));
    EXPECT_EQ(entry(), (std::vector<QString>{"自带", "3.3", "3", "9.5", "9.9", "9.405"}));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
    EXPECT_EQ(line(2, "折后"), QStringLiteral("9.405"));
    EXPECT_EQ(grid()->cellText(2, 5), QStringLiteral("9.4"));
    // 28.085 held exactly; its nearest double lies above the half, so 28.09.
    EXPECT_EQ(totals(), (std::vector<QString>{"8", "29.3", "28.09", "28.09", "0"}));
    EXPECT_EQ(buttons(), kEntering);

    type(box("ComboBox3"), QStringLiteral("50"));
    EXPECT_EQ(edit("Edit13")->text(), QStringLiteral("21.91"));

    // Picking the first line loads it with the discount it was priced at.
    clickLine(0);
    EXPECT_EQ(buttons(), kLineSelected);
    EXPECT_EQ(entry(), (std::vector<QString>{"面包", "4.8", "3", "9.5", "14.4", "13.68"}));
    retype(edit("Edit8"), QStringLiteral("1"));
    EXPECT_EQ(edit("Edit10")->text(), QStringLiteral("4.56"));
    QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
    EXPECT_EQ(buttons(), kEntering);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
    EXPECT_EQ(line(0, "数量"), QStringLiteral("1"));
    EXPECT_EQ(line(0, "折后"), QStringLiteral("4.56"));
    EXPECT_EQ(line(0, "单号"), edit("Edit2")->text());
    // The customer has paid 50: the change follows the new total.
    EXPECT_EQ(totals(), (std::vector<QString>{"6", "19.7", "18.96", "18.96", "31.04"}));
    EXPECT_EQ(box("ComboBox3")->currentText(), QStringLiteral("50"));

    clickLine(1);
    QTest::mouseClick(button("SpeedButton5"), Qt::LeftButton);
    EXPECT_EQ(buttons(), kEntering);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 2);
    EXPECT_EQ(line(1, "品名"), QStringLiteral("自带"));
    EXPECT_EQ(totals(), (std::vector<QString>{"4", "14.7", "13.96", "13.96", "36.04"}));
    EXPECT_EQ(entry(), (std::vector<QString>{"", "", "1", "10", "", ""}));
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(CounterWindowTest, KeyboardDeletionOfTwoHighlightedLinesRefreshesTheTotals)
{
    for (const char *price : {"1", "2", "4"}) {
        enterLine(QStringLiteral("x"), QString::fromLatin1(price), QStringLiteral("1"), QStringLiteral("10"));
        QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    }
    type(box("ComboBox3"), QStringLiteral("10"));
    EXPECT_EQ(edit("Edit13")->text(), QStringLiteral("3"));

    clickLine(0);
    clickLine(2, Qt::ControlModifier);
    responder.confirmAnswer = false;
    QTest::keyClick(grid()->view(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
    EXPECT_EQ(edit("Edit13")->text(), QStringLiteral("3"));

    responder.confirmAnswer = true;
    QTest::keyClick(grid()->view(), Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(responder.texts().size(), 2u);
    EXPECT_EQ(responder.texts().back(), QStringLiteral("Delete all selected records?"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(line(0, "单价"), QStringLiteral("2"));
    EXPECT_EQ(totals(), (std::vector<QString>{"1", "2", "2", "2", "8"}));
    EXPECT_EQ(buttons(), kLineSelected); // the keyboard deletion leaves the buttons as they are
}

TEST_F(CounterWindowTest, AddWarnsOfEmptyFieldsInOrder)
{
    erase(edit("Edit8"));
    erase(box("ComboBox2"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(responder.texts(), std::vector<QString>{"品名不能为空！"});
    EXPECT_EQ(responder.shown.at(0).icon, Dialogs::Icon::Warning);
    EXPECT_EQ(edit("Edit13")->text(), QString()); // no refresh without a name

    type(box("ComboBox1"), QStringLiteral("无此品"));
    responder.shown.clear();
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(responder.texts(), (std::vector<QString>{"单价不能为空！", "数量不能为空！", "折扣不能为空！"}));
    EXPECT_EQ(edit("Edit13")->text(), QStringLiteral("0"));
    EXPECT_EQ(label("Label18")->text(), QStringLiteral("0"));

    type(box("ComboBox2"), QStringLiteral("9"));
    responder.shown.clear();
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(responder.texts(), (std::vector<QString>{"单价不能为空！", "数量不能为空！"}));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
    EXPECT_EQ(buttons(), kEntering);
}

TEST_F(CounterWindowTest, ModifyWarnsWithoutChangingTheLineOrTheButtons)
{
    enterLine(QStringLiteral("可"), QString(), QStringLiteral("2"), QStringLiteral("10"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    clickLine(0);
    erase(edit("Edit7"));
    erase(box("ComboBox2"));
    QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
    EXPECT_EQ(responder.texts(), (std::vector<QString>{"单价不能为空！", "折扣不能为空！"}));
    EXPECT_EQ(buttons(), kLineSelected);
    EXPECT_EQ(line(0, "单价"), QStringLiteral("2.5"));

    // The name is not checked: modify can store an empty one.
    retype(edit("Edit7"), QStringLiteral("3"));
    type(box("ComboBox2"), QStringLiteral("10"));
    box("ComboBox1")->clearEditText();
    responder.shown.clear();
    QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
    EXPECT_TRUE(responder.shown.empty());
    EXPECT_EQ(line(0, "品名"), QString());
    EXPECT_EQ(line(0, "单价"), QStringLiteral("3"));
    EXPECT_EQ(buttons(), kEntering);
}

TEST_F(CounterWindowTest, DroppingTheFractionLastsUntilTheLineIsRecomputed)
{
    enterLine(QStringLiteral("自带"), QStringLiteral("3.3"), QStringLiteral("3"), QStringLiteral("9.5"));
    QTest::mouseClick(button("SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(edit("Edit10")->text(), QStringLiteral("9"));
    EXPECT_EQ(edit("Edit9")->text(), QStringLiteral("9.9"));
    retype(edit("Edit8"), QStringLiteral("2"));
    EXPECT_EQ(edit("Edit10")->text(), QStringLiteral("6.27"));

    QTest::mouseClick(button("SpeedButton2"), Qt::LeftButton);
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(line(0, "折后"), QStringLiteral("6"));
    EXPECT_EQ(line(0, "金额"), QStringLiteral("6.6"));
    EXPECT_EQ(edit("Edit12")->text(), QStringLiteral("6"));

    // With nothing after discount the button does nothing.
    QTest::mouseClick(button("SpeedButton2"), Qt::LeftButton);
    EXPECT_EQ(edit("Edit10")->text(), QString());
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(CounterWindowTest, APastedNonNumberStopsAtTheConversionErrorAndStoresNothing)
{
    type(box("ComboBox1"), QStringLiteral("Mil"));
    EXPECT_EQ(entry(), (std::vector<QString>{"Milk", "12.35", "1", "10", "12.35", "12.35"}));

    QApplication::clipboard()->setText(QStringLiteral("12a"));
    edit("Edit8")->selectAll();
    edit("Edit8")->paste(); // what the context menu's Paste does; the change recomputes
    EXPECT_EQ(edit("Edit8")->text(), QStringLiteral("12a"));
    ASSERT_EQ(responder.texts(), std::vector<QString>{"'12a' is not a valid floating point value."});
    EXPECT_EQ(responder.shown.at(0).icon, Dialogs::Icon::Stop);
    EXPECT_EQ(edit("Edit9")->text(), QStringLiteral("12.35")); // the last good amounts stay

    responder.shown.clear();
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    ASSERT_EQ(responder.texts().size(), 1u);
    EXPECT_TRUE(responder.texts().at(0).startsWith(QStringLiteral("数量“12a”不是数字")));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
    EXPECT_EQ(grid()->view()->model()->rowCount(), 0);
    EXPECT_EQ(edit("Edit8")->text(), QStringLiteral("12a")); // nothing reset after the error

    // The same line, once the quantity is a number, is stored once and whole.
    retype(edit("Edit8"), QStringLiteral("2"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(line(0, "折后"), QStringLiteral("24.7"));
}

TEST_F(CounterWindowTest, NumberFieldsTakeDigitsAndOnePointOnly)
{
    erase(edit("Edit7"));
    QTest::keyClicks(edit("Edit7"), QStringLiteral("1a-2. .5.x"));
    EXPECT_EQ(edit("Edit7")->text(), QStringLiteral("12.5"));

    QApplication::clipboard()->setText(QStringLiteral("99"));
    edit("Edit8")->selectAll();
    QTest::keyClick(edit("Edit8"), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit("Edit8"), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit("Edit8")->text(), QStringLiteral("1"));

    // The discount and paid boxes do not complete: "9" stays 9, "10" stays 10.
    erase(box("ComboBox2"));
    type(box("ComboBox2"), QStringLiteral("9"));
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("9"));
    type(box("ComboBox2"), QStringLiteral(".5"));
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("9.5"));
    type(box("ComboBox3"), QStringLiteral("10"));
    EXPECT_EQ(box("ComboBox3")->currentText(), QStringLiteral("10"));
    EXPECT_EQ(edit("Edit13")->text(), QString()); // no payable amount yet
}

TEST_F(CounterWindowTest, ListPicksLookUpPricesAndRecompute)
{
    // An arrow key in the closed product box picks the first listed name (the
    // list is in the engine's order).
    const std::map<QString, std::pair<QString, QString>> prices{
        {"Milk", {"12.35", "9.88"}}, {"百事可乐", {"3.5", "2.8"}}, {"可乐", {"2.5", "2"}}, {"面包", {"4.8", "3.84"}}};
    box("ComboBox1")->setFocus();
    QTest::keyClick(box("ComboBox1"), Qt::Key_Down);
    const QString first = box("ComboBox1")->itemText(0);
    ASSERT_EQ(prices.count(first), 1u);
    const auto &[price, atEight] = prices.at(first);
    EXPECT_EQ(entry(), (std::vector<QString>{first, price, "1", "10", price, price}));

    const int step = box("ComboBox2")->findText(QStringLiteral("8.0"));
    ASSERT_EQ(step, 20);
    box("ComboBox2")->setCurrentIndex(step);
    emit box("ComboBox2")->activated(step);
    EXPECT_EQ(edit("Edit10")->text(), atEight);

    const int fifty = box("ComboBox3")->findText(QStringLiteral("50"));
    EXPECT_EQ(fifty, 1);
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    box("ComboBox3")->setCurrentIndex(fifty);
    EXPECT_EQ(edit("Edit13")->text(), NumberToText(50 - TextToNumber(atEight)));

    // Paid emptied: no change shown.
    erase(box("ComboBox3"));
    EXPECT_EQ(edit("Edit13")->text(), QString());
}

// The key that closes the conversion error lets go in the field: it must not
// bring the error straight back; a change of the text does.
TEST_F(CounterWindowTest, AConversionErrorClosedByKeyboardStaysClosed)
{
    edit("Edit7")->setText(QStringLiteral("abc"));
    ASSERT_EQ(responder.shown.size(), 1u);
    QTest::keyRelease(edit("Edit7"), Qt::Key_Return); // closed the box
    QTest::keyClick(edit("Edit7"), Qt::Key_End);
    EXPECT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(edit("Edit7")->text(), QStringLiteral("abc"));
    type(edit("Edit7"), QStringLiteral("1"));
    EXPECT_EQ(responder.shown.size(), 2u);
}

// Text that reaches a number field without a key (a middle-click or menu
// paste) prices the line as typing does; add and modify store what the fields
// price, and refuse a line they cannot price.
TEST_F(CounterWindowTest, PastedNumbersPriceTheStoredLine)
{
    struct Case
    {
        const char *field;
        const char *pasted;
        bool modify;
        const char *amount; // nullptr: the line is refused
        const char *discounted;
    };
    const Case cases[] = {
        {"Edit8", "11", false, "33", "33"},
        {"Edit7", " 7 ", false, "14", "14"},
        {"ComboBox2", "8", false, "6", "4.8"},
        {"Edit8", "11", true, "33", "33"},
        {"Edit7", " 7 ", true, "14", "14"},
        {"ComboBox2", " 8 ", true, "6", "4.8"},
        // Refused; a refused modify leaves its line selected, so it comes last.
        {"Edit8", "1x", false, nullptr, nullptr},
        {"ComboBox2", "x", true, nullptr, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.pasted + (c.modify ? " modify" : " add"));
        // A name typed by hand brings no price: the amounts stay empty until priced.
        enterLine(QStringLiteral("自带"), QString(), QStringLiteral("2"), QStringLiteral("10"));
        if (c.modify || std::string(c.field) != "Edit7")
            retype(edit("Edit7"), QStringLiteral("3"));
        if (c.modify) {
            QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
            clickLine(grid()->view()->model()->rowCount() - 1);
        }
        const int before = data.count(QStringLiteral("xsxx"));
        auto *field = form->findChild<QWidget *>(QString::fromLatin1(c.field));
        auto *text = qobject_cast<QComboBox *>(field) ? static_cast<QComboBox *>(field)->lineEdit()
                                                      : static_cast<QLineEdit *>(field);
        text->selectAll();
        text->insert(QString::fromLatin1(c.pasted));
        responder.shown.clear();
        QTest::mouseClick(button(c.modify ? "SpeedButton4" : "SpeedButton3"), Qt::LeftButton);

        const int row = data.count(QStringLiteral("xsxx")) - 1;
        if (c.amount) {
            EXPECT_TRUE(responder.shown.empty());
            EXPECT_EQ(row + 1, before + (c.modify ? 0 : 1));
            EXPECT_EQ(line(row, "金额"), QString::fromLatin1(c.amount));
            EXPECT_EQ(line(row, "折后"), QString::fromLatin1(c.discounted));
        } else {
            ASSERT_EQ(responder.texts().size(), 1u);
            EXPECT_TRUE(responder.texts()[0].contains(QStringLiteral("不是数字")))
                << responder.texts()[0].toStdString();
            EXPECT_EQ(row + 1, before);
            if (c.modify) {
                EXPECT_EQ(line(row, "折后"), QStringLiteral("6"));
            }
        }
    }
    EXPECT_EQ(data.count(QStringLiteral("xsxx where 金额 is null or 折后 is null")), 0);
}

TEST_F(CounterWindowTest, KeyboardFlowAddsLinesWithEnter)
{
    enterLine(QStringLiteral("可"), QString(), QStringLiteral("2"), QStringLiteral("10"));
    QTest::keyClick(edit("Edit8"), Qt::Key_Return);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    enterLine(QStringLiteral("面"), QString(), QStringLiteral("1"), QStringLiteral("9"));
    QTest::keyClick(box("ComboBox2"), Qt::Key_Enter);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 2);
    EXPECT_EQ(line(1, "折后"), QStringLiteral("4.32"));

    // Tab goes from the discount to Add; the other buttons take no focus.
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    box("ComboBox2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button("SpeedButton3"));
    EXPECT_EQ(button("SpeedButton8")->focusPolicy(), Qt::NoFocus);
}

// A clicked line brings the discount it was priced at, so a modified line keeps it.
TEST_F(CounterWindowTest, ModifyKeepsTheLineDiscount)
{
    enterLine(QStringLiteral("面"), QString(), QStringLiteral("2"), QStringLiteral("8.5"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    clickLine(0);
    EXPECT_EQ(box("ComboBox2")->currentText(), QStringLiteral("8.5"));
    retype(edit("Edit8"), QStringLiteral("3"));
    QTest::mouseClick(button("SpeedButton4"), Qt::LeftButton);
    EXPECT_EQ(line(0, "折后"), QStringLiteral("12.24"));
}

TEST_F(CounterWindowTest, FiguresBeyondAShopsLimitAreRefusedByName)
{
    enterLine(QStringLiteral("巨款"), QStringLiteral("1") + QString(309, QLatin1Char('0')), QStringLiteral("1"),
              QStringLiteral("10"));
    QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    ASSERT_EQ(responder.texts().size(), 1u);
    EXPECT_TRUE(responder.texts().front().startsWith(QStringLiteral("单价超出范围")));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);

    // Lines each within the limit whose total is not.
    for (const char *price : {"60000000000", "50000000000"}) {
        enterLine(QStringLiteral("大件"), QString::fromLatin1(price), QStringLiteral("1"), QStringLiteral("10"));
        QTest::mouseClick(button("SpeedButton3"), Qt::LeftButton);
    }
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_TRUE(responder.texts().back().startsWith(QStringLiteral("合计金额")));
    EXPECT_EQ(label("Label19")->text(), QStringLiteral("60000000000"));

    // Totals that long fit their places, side by side.
    const QLabel *totals[] = {label("Label18"), label("Label19"), label("Label20")};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_LE(totals[i]->fontMetrics().horizontalAdvance(totals[i]->text()), totals[i]->width());
        if (i > 0) {
            EXPECT_LT(totals[i - 1]->geometry().right(), totals[i]->x());
        }
    }
}

} // namespace
