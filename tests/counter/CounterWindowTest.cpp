#include "counter/CounterWindow.h"

#include "counter/RemarkLines.h"
#include "counter/ScannerSettings.h"

#include "checkout/Checkout.h"
#include "data/store/Session.h"
#include "grid/DataGrid.h"
#include "printers/ReceiptPrinter.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/PrintTo.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

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
        form.start();
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        responder.shown.clear();
    }

    QString line(int row, const char *column) const
    {
        return data.scalar(QStringLiteral("select %1 from xsxx order by ID limit 1 offset %2")
                               .arg(QString::fromUtf8(column))
                               .arg(row));
    }
    int lines() const { return data.count(QStringLiteral("xsxx")); }

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
    CounterWindow form{session, checkout};
    CounterDriver counter{form};
};

const std::vector<bool> kEntering{true, false, false};
const std::vector<bool> kLineSelected{false, true, true};

TEST_F(CounterWindowTest, AWholeTicketWithPickModifyAndDelete)
{
    // A typed prefix completes to a listed name, which counts as a pick.
    CounterDriver::type(counter.product(), QStringLiteral("面"));
    EXPECT_EQ(counter.entry(), (std::vector<QString>{"面包", "4.8", "1", "10", "4.8", "4.8"}));
    CounterDriver::retype(counter.quantity(), QStringLiteral("3"));
    CounterDriver::retype(counter.discount(), QStringLiteral("9.5"));
    CounterDriver::click(counter.add());

    // "可乐" takes its own price, not that of "百事可乐" listed before it.
    counter.enterLine(QStringLiteral("可"), QString(), QStringLiteral("2"));
    CounterDriver::click(counter.add());

    // A name typed by hand brings no price; the price typed computes the line.
    counter.enterLine(QStringLiteral("自带"), QStringLiteral("3.3"), QStringLiteral("3"), QStringLiteral("9.5"));
    CounterDriver::click(counter.add());
    // 28.085 held exactly; its nearest double lies above the half, so 28.09.
    EXPECT_EQ(counter.totals(), (std::vector<QString>{"8", "29.3", "28.09", "28.09", "0"}));

    CounterDriver::type(counter.paid(), QStringLiteral("50"));
    EXPECT_EQ(counter.change()->text(), QStringLiteral("21.91"));

    // Picking the first line loads it with the discount it was priced at.
    counter.clickLine(0);
    EXPECT_EQ(counter.entry(), (std::vector<QString>{"面包", "4.8", "3", "9.5", "14.4", "13.68"}));
    CounterDriver::retype(counter.quantity(), QStringLiteral("1"));
    CounterDriver::click(counter.modify());
    EXPECT_EQ(counter.buttons(), kEntering);
    EXPECT_EQ(line(0, "单号"), counter.ticketNumber()->text());
    // The customer has paid 50: the change follows the new total.
    EXPECT_EQ(counter.totals(), (std::vector<QString>{"6", "19.7", "18.96", "18.96", "31.04"}));

    counter.clickLine(1);
    CounterDriver::click(counter.remove());
    EXPECT_EQ(counter.buttons(), kEntering);
    EXPECT_EQ(counter.totals(), (std::vector<QString>{"4", "14.7", "13.96", "13.96", "36.04"}));
    EXPECT_EQ(counter.entry(), (std::vector<QString>{"", "", "1", "10", "", ""}));
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(CounterWindowTest, KeyboardDeletionOfTwoHighlightedLinesRefreshesTheTotals)
{
    for (const char *price : {"1", "2", "4"})
        counter.addLine(QStringLiteral("x"), QString::fromLatin1(price), QStringLiteral("1"));
    CounterDriver::type(counter.paid(), QStringLiteral("10"));
    counter.clickLine(0);
    counter.clickLine(2, Qt::ControlModifier);
    for (const bool confirmed : {false, true}) {
        responder.confirmAnswer = confirmed;
        QTest::keyClick(counter.lines()->view(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_EQ(lines(), confirmed ? 1 : 3);
    }
    EXPECT_EQ(counter.totals(), (std::vector<QString>{"1", "2", "2", "2", "8"}));
    EXPECT_EQ(counter.buttons(), kLineSelected); // the keyboard deletion leaves the buttons as they are
}

// One warning per empty field, in the order of the fields; only Add needs a
// name, and a refused line changes neither the ticket nor the buttons.
TEST_F(CounterWindowTest, AddAndModifyWarnOfEmptyFieldsInOrder)
{
    counter.addLine(QStringLiteral("可乐"), QStringLiteral("2.5"), QStringLiteral("2"));
    struct Case
    {
        bool modify;
        const char *name;
        std::vector<QWidget *> emptied;
        std::vector<QString> warnings;
    };
    const Case cases[] = {
        {false, "", {counter.quantity(), counter.discount()}, {"品名不能为空！"}},
        {false,
         "无此品",
         {counter.price(), counter.quantity(), counter.discount()},
         {"单价不能为空！", "数量不能为空！", "折扣不能为空！"}},
        {true, "", {counter.price(), counter.discount()}, {"单价不能为空！", "折扣不能为空！"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.warnings.back().toStdString());
        if (c.modify)
            counter.clickLine(0);
        CounterDriver::retype(counter.quantity(), QStringLiteral("1"));
        CounterDriver::retype(counter.discount(), QStringLiteral("10"));
        counter.product()->setEditText(QString::fromUtf8(c.name));
        for (QWidget *field : c.emptied)
            CounterDriver::erase(field);
        responder.shown.clear();
        CounterDriver::click(c.modify ? counter.modify() : counter.add());
        EXPECT_EQ(responder.texts(), c.warnings);
        EXPECT_EQ(responder.shown.at(0).icon, Dialogs::Icon::Warning);
        EXPECT_EQ(counter.buttons(), c.modify ? kLineSelected : kEntering);
        EXPECT_EQ(lines(), 1);
        EXPECT_EQ(line(0, "单价"), QStringLiteral("2.5"));
    }
    // Modify stores an empty name.
    counter.enterLine(QString(), QStringLiteral("3"), QStringLiteral("1"));
    CounterDriver::click(counter.modify());
    EXPECT_EQ(line(0, "品名"), QString());
    EXPECT_EQ(line(0, "单价"), QStringLiteral("3"));
}

TEST_F(CounterWindowTest, DroppingTheFractionLastsUntilTheLineIsRecomputed)
{
    counter.enterLine(QStringLiteral("自带"), QStringLiteral("3.3"), QStringLiteral("3"), QStringLiteral("9.5"));
    CounterDriver::click(counter.dropFraction());
    EXPECT_EQ(counter.discounted()->text(), QStringLiteral("9"));
    CounterDriver::retype(counter.quantity(), QStringLiteral("2"));
    EXPECT_EQ(counter.discounted()->text(), QStringLiteral("6.27"));

    CounterDriver::click(counter.dropFraction());
    CounterDriver::click(counter.add());
    EXPECT_EQ(line(0, "折后"), QStringLiteral("6"));
    EXPECT_EQ(line(0, "金额"), QStringLiteral("6.6"));
    EXPECT_EQ(counter.payable()->text(), QStringLiteral("6"));

    // With nothing after discount the button does nothing.
    CounterDriver::click(counter.dropFraction());
    EXPECT_EQ(counter.discounted()->text(), QString());
    EXPECT_TRUE(responder.shown.empty());

    // A line clicked after it was pressed for another keeps its own amounts.
    counter.enterLine(QStringLiteral("自带"), QStringLiteral("3.3"), QStringLiteral("2"), QStringLiteral("9.5"));
    CounterDriver::click(counter.add());
    counter.enterLine(QStringLiteral("面包"), QStringLiteral("1.25"), QStringLiteral("1"));
    CounterDriver::click(counter.dropFraction());
    counter.clickLine(1);
    CounterDriver::click(counter.modify());
    EXPECT_EQ(line(1, "折后"), QStringLiteral("6.27"));
}

// An empty ticket closes at once; one with lines only when the cashier says yes.
TEST_F(CounterWindowTest, ThePicturesMinimiseAndCloseTheWindow)
{
    QTest::mouseClick(Find<QLabel>(form, "Image2"), Qt::LeftButton);
    EXPECT_TRUE(form.isMinimized());
    form.showNormal();
    QTest::mouseClick(Find<QLabel>(form, "Image3"), Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(responder.shown.empty());

    form.show();
    counter.addLine(QStringLiteral("可乐"), QStringLiteral("2.5"), QStringLiteral("1"));
    for (const bool yes : {false, true}) {
        responder.confirmAnswer = yes;
        QTest::mouseClick(Find<QLabel>(form, "Image3"), Qt::LeftButton);
        EXPECT_EQ(form.isVisible(), !yes);
    }
    EXPECT_EQ(responder.shown.size(), 2u);
}

TEST_F(CounterWindowTest, APastedNonNumberStopsAtTheConversionErrorAndStoresNothing)
{
    CounterDriver::type(counter.product(), QStringLiteral("Mil"));
    EXPECT_EQ(counter.entry(), (std::vector<QString>{"Milk", "12.35", "1", "10", "12.35", "12.35"}));

    QApplication::clipboard()->setText(QStringLiteral("12a"));
    counter.quantity()->selectAll();
    counter.quantity()->paste(); // what the context menu's Paste does; the change recomputes
    ASSERT_EQ(responder.texts(), std::vector<QString>{"'12a' is not a valid floating point value."});
    EXPECT_EQ(responder.shown.at(0).icon, Dialogs::Icon::Stop);
    EXPECT_EQ(counter.amount()->text(), QStringLiteral("12.35")); // the last good amounts stay

    responder.shown.clear();
    CounterDriver::click(counter.add());
    ASSERT_EQ(responder.texts().size(), 1u);
    EXPECT_TRUE(responder.texts().at(0).startsWith(QStringLiteral("数量“12a”不是数字")));
    EXPECT_EQ(lines(), 0);
    EXPECT_EQ(counter.quantity()->text(), QStringLiteral("12a")); // nothing reset after the error

    // The same line, once the quantity is a number, is stored once and whole.
    CounterDriver::retype(counter.quantity(), QStringLiteral("2"));
    CounterDriver::click(counter.add());
    EXPECT_EQ(lines(), 1);
    EXPECT_EQ(line(0, "折后"), QStringLiteral("24.7"));
}

// Digits and one decimal point only; the discount and paid boxes do not
// complete ("9" stays 9); the paste and cut shortcuts are dropped.
TEST_F(CounterWindowTest, NumberFieldsTakeDigitsAndOnePointOnly)
{
    struct Case
    {
        QWidget *field;
        const char *keys;
        const char *text;
    };
    const Case cases[] = {
        {counter.price(), "1a-2. .5.x", "12.5"}, {counter.discount(), "9", "9"},
        {counter.discount(), "9.5.1", "9.51"},   {counter.paid(), "10", "10"},
        {counter.paid(), "+1e2", "12"},
    };
    for (const Case &c : cases) {
        CounterDriver::erase(c.field);
        QTest::keyClicks(c.field, QString::fromLatin1(c.keys));
        const auto *box = qobject_cast<QComboBox *>(c.field);
        EXPECT_EQ(box ? box->currentText() : static_cast<QLineEdit *>(c.field)->text(), QString::fromUtf8(c.text))
            << c.keys;
    }
    EXPECT_EQ(counter.change()->text(), QString()); // no payable amount yet

    QApplication::clipboard()->setText(QStringLiteral("99"));
    counter.quantity()->selectAll();
    QTest::keyClick(counter.quantity(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(counter.quantity(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(counter.quantity()->text(), QStringLiteral("1"));
}

// An arrow key in the closed product box picks the first listed name, which
// takes its price; a discount picked from the list reprices the line.
TEST_F(CounterWindowTest, ListPicksLookUpPricesAndRecompute)
{
    counter.product()->setFocus();
    QTest::keyClick(counter.product(), Qt::Key_Down);
    const int step = counter.discount()->findText(QStringLiteral("8.0"));
    counter.discount()->setCurrentIndex(step);
    emit counter.discount()->activated(step);
    EXPECT_EQ(counter.entry(), (std::vector<QString>{"Milk", "12.35", "1", "8.0", "12.35", "9.88"}));
}

// The key that closes the conversion error lets go in the field: it must not
// bring the error straight back; a change of the text does.
TEST_F(CounterWindowTest, AConversionErrorClosedByKeyboardStaysClosed)
{
    counter.price()->setText(QStringLiteral("abc"));
    ASSERT_EQ(responder.shown.size(), 1u);
    QTest::keyRelease(counter.price(), Qt::Key_Return); // closed the box
    QTest::keyClick(counter.price(), Qt::Key_End);
    EXPECT_EQ(responder.shown.size(), 1u);
    CounterDriver::type(counter.price(), QStringLiteral("1"));
    EXPECT_EQ(responder.shown.size(), 2u);
}

// Text that reaches a number field without a key (a middle-click or menu
// paste) prices the line as typing does; add and modify store what the fields
// price, and refuse a line they cannot price.
TEST_F(CounterWindowTest, PastedNumbersPriceTheStoredLine)
{
    struct Case
    {
        QWidget *field;
        const char *pasted;
        bool modify;
        const char *discounted; // nullptr: the line is refused
    };
    const Case cases[] = {
        {counter.quantity(), "11", false, "33"},
        {counter.price(), " 7 ", true, "14"},
        {counter.discount(), " 8 ", false, "4.8"},
        // Refused; a refused modify leaves its line selected, so it comes last.
        {counter.quantity(), "1x", false, nullptr},
        {counter.discount(), "x", true, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.pasted) + (c.modify ? " modify" : " add"));
        // A name typed by hand brings no price: the amounts stay empty until priced.
        counter.enterLine(QStringLiteral("自带"), QString(), QStringLiteral("2"));
        if (c.modify || c.field != counter.price())
            CounterDriver::retype(counter.price(), QStringLiteral("3"));
        if (c.modify) {
            CounterDriver::click(counter.add());
            counter.clickLine(counter.lineCount() - 1);
        }
        const int before = lines();
        auto *box = qobject_cast<QComboBox *>(c.field);
        QLineEdit *text = box ? box->lineEdit() : static_cast<QLineEdit *>(c.field);
        text->selectAll();
        text->insert(QString::fromLatin1(c.pasted));
        responder.shown.clear();
        CounterDriver::click(c.modify ? counter.modify() : counter.add());

        EXPECT_EQ(lines(), before + (c.discounted && !c.modify ? 1 : 0));
        const int row = lines() - 1;
        if (c.discounted) {
            EXPECT_TRUE(responder.shown.empty());
            EXPECT_EQ(line(row, "折后"), QString::fromLatin1(c.discounted));
        } else {
            ASSERT_EQ(responder.texts().size(), 1u);
            EXPECT_TRUE(responder.texts()[0].contains(QStringLiteral("不是数字")));
            if (c.modify) {
                EXPECT_EQ(line(row, "折后"), QStringLiteral("6"));
            }
        }
    }
    EXPECT_EQ(data.count(QStringLiteral("xsxx where 金额 is null or 折后 is null")), 0);
}

TEST_F(CounterWindowTest, KeyboardFlowAddsLinesWithEnter)
{
    counter.enterLine(QStringLiteral("可"), QString(), QStringLiteral("2"));
    QTest::keyClick(counter.quantity(), Qt::Key_Return);
    counter.enterLine(QStringLiteral("面"), QString(), QStringLiteral("1"), QStringLiteral("9"));
    QTest::keyClick(counter.discount(), Qt::Key_Enter);
    EXPECT_EQ(lines(), 2);

    // Tab goes from the discount to Add, past the buttons that take no focus.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    counter.discount()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), counter.add());
}

// The till's keys act wherever the focus is, here from the remark box, where
// Tab moves on as in every box and types nothing.
TEST_F(CounterWindowTest, TheTillsKeysActFromAnyBox)
{
    QSignalSpy previews(&form, &CounterWindow::previewRequested);
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::vector<QString> typed{"面包", "4.8", "1", "10", "4.8", "4.8"}, cleared{"", "", "1", "10", "", ""};
    const struct
    {
        QKeySequence key;
        QWidget *focus; // nullptr: the remark keeps it
        const char *message; // shown by the key, if any
        bool entryCleared;
        int previews;
    } cases[] = {
        {Qt::Key_F12, nullptr, "打印信息为空！", false, 0},
        {QKeySequence(Qt::CTRL | Qt::Key_P), nullptr, "打印信息为空！", false, 0},
        {Qt::Key_F4, counter.paid(), nullptr, false, 0},
        {Qt::Key_Escape, counter.product(), nullptr, true, 0},
        {Qt::Key_F9, nullptr, nullptr, false, 1},
        {Qt::Key_Tab, counter.paperWidth(), nullptr, false, 0},
        {QKeySequence(Qt::SHIFT | Qt::Key_Tab), counter.paid(), nullptr, false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key.toString().toStdString());
        counter.product()->clearEditText();
        CounterDriver::type(counter.product(), QStringLiteral("面"));
        counter.paid()->setEditText(QStringLiteral("5"));
        counter.remark()->setPlainText(QStringLiteral("谢谢"));
        counter.remark()->setFocus();
        responder.shown.clear();
        previews.clear();
        QTest::keySequence(QApplication::focusWidget(), c.key);
        EXPECT_EQ(QApplication::focusWidget(), c.focus ? c.focus : counter.remark());
        EXPECT_EQ(responder.texts(), c.message ? std::vector{QString::fromUtf8(c.message)} : std::vector<QString>());
        EXPECT_EQ(counter.entry(), c.entryCleared ? cleared : typed);
        EXPECT_EQ(previews.count(), c.previews);
        EXPECT_EQ(counter.remark()->toPlainText(), QStringLiteral("谢谢"));
        EXPECT_EQ(counter.paid()->lineEdit()->selectedText(), c.focus == counter.paid() ? "5" : QString());
    }
}

// Held tickets wait in the data file, through a restart, as no sale, until
// one is taken back onto an empty counter; a full store refuses more. The
// settings fields are saved as they are typed, without a sale.
TEST_F(CounterWindowTest, HeldTicketsAndSettingsSurviveARestart)
{
    const std::pair<QWidget *, QString> settings[] = {{counter.shopName(), "好运小店"}, {counter.remark(), "谢谢"},
                                                      {counter.cashier(), "小王"},      {counter.paperWidth(), "76"},
                                                      {counter.layout(), "两联"},       {counter.copies(), "2"}};
    for (const auto &[field, text] : settings)
        CounterDriver::retype(field, text);

    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    counter.showCustomer(true);
    counter.customer()->setText(QStringLiteral("张三"));
    counter.addLine(QStringLiteral("面包"), QStringLiteral("4.8"), QStringLiteral("2"));
    counter.addLine(QStringLiteral("可乐"), QStringLiteral("2.5"), QStringLiteral("1"));
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(counter.customer()->text(), QString());
    EXPECT_EQ(lines(), 0);
    counter.addLine(QStringLiteral("Milk"), QStringLiteral("12.345"), QStringLiteral("1"));
    counter.menuEntry("HoldEntry")->trigger();
    for (int id = 0; id < 18; ++id)
        data.exec(QStringLiteral("insert into gdxx (挂单号, 品名) values ('茶%1', '茶')").arg(id));
    counter.addLine(QStringLiteral("面包"), QStringLiteral("4.8"), QStringLiteral("1"));
    QTest::keyClick(&form, Qt::Key_F5);
    EXPECT_EQ(lines(), 1);
    data.exec(QStringLiteral("delete from gdxx where 品名 = '茶'"));
    QTest::keyClick(&form, Qt::Key_F6); // refused: the counter's ticket has a line
    EXPECT_EQ(responder.texts().size(), 2u);

    session.close();
    data.exec(QStringLiteral("delete from xsxx"));
    Session restarted;
    restarted.open();
    Checkout checkout{restarted, printer};
    CounterWindow again{restarted, checkout};
    again.start();
    again.show();
    again.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&again));
    std::vector<QString> listed;
    QTimer::singleShot(0, &again, [&listed] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        const auto *list = Find<QTableWidget>(dialog, "HeldTicketList");
        for (int row = 0; row < list->rowCount(); ++row)
            listed.push_back(list->item(row, 1)->text() + "|" + list->item(row, 2)->text() + "|"
                             + list->item(row, 3)->text());
        dialog->accept(); // the first, the oldest
    });
    QTest::keyClick(&again, Qt::Key_F6);
    EXPECT_EQ(listed, (std::vector<QString>{"面包|2|12.1", "Milk|1|12.35"}));
    const CounterDriver recalled{again};
    const QString shown[] = {recalled.shopName()->text(),      recalled.remark()->toPlainText(),
                             recalled.cashier()->text(),       recalled.paperWidth()->currentText(),
                             recalled.layout()->currentText(), recalled.copies()->currentText()};
    for (size_t i = 0; i < std::size(shown); ++i)
        EXPECT_EQ(shown[i], settings[i].second) << i;
    EXPECT_EQ(recalled.customer()->text(), QStringLiteral("张三"));
    EXPECT_EQ(recalled.totals(), (std::vector<QString>{"3", "12.1", "12.1", "12.1", "0"}));
    EXPECT_EQ(line(0, "单号"), recalled.ticketNumber()->text());
    EXPECT_EQ(data.count(QStringLiteral("gdxx")), 1);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
}

// The status bar warns while the paper width chosen does not fit the ESC/POS printer.
TEST_F(CounterWindowTest, PaperThatDoesNotFitThePrinterIsWarnedOf)
{
    const QLabel *warning = Find<QLabel>(form, "PaperWidthWarningLabel");
    PrinterConf wide;
    wide.kind = PrinterConf::Kind::EscPos;
    wide.dots = kDots80mm;
    form.usePrinter(wide);
    for (const char *width : {"58", "76", "58"}) {
        CounterDriver::retype(counter.paperWidth(), QString::fromUtf8(width));
        EXPECT_EQ(warning->isVisible(), width == std::string("58")) << width;
    }
}

// Enter in the product box: the barcode, then the short code, then the name.
// A product found is a line at once, one more on the last line when scanned
// again; a weighed one is never merged. A misread or unknown code adds
// nothing and opens no box: a red message, the code selected, F3 for the
// catalogue. Text that names nothing is typed by hand and waits for its price.
TEST_F(CounterWindowTest, ScansLookUpBarcodeShortCodeAndNameInThatOrder)
{
    data.exec(QStringLiteral("insert into spxx (品名, 单价, 条码) values ('猪肉', 12.5, '00123')"));
    data.exec(QStringLiteral("update spxx set 条码 = '6901234567892' where 品名 = '百事可乐'"));
    data.exec(QStringLiteral("update spxx set 简码 = case 品名 when '面包' then '6901234567892' when 'Milk' then "
                             "'可乐' when '猪肉' then 'zr' else 'kl' end"));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QSignalSpy catalogue(&form, &CounterWindow::catalogueRequestedFor);
    QLineEdit *box = counter.product()->lineEdit();
    const struct
    {
        const char *scanned;
        int lines;
        const char *lastLine, *message, *left; // left in the product box
        QWidget *focus;
    } steps[] = {
        {"6901234567892", 1, "百事可乐 1 3.5", "", "", counter.product()},
        {"6901234567892", 1, "百事可乐 2 7", "", "", counter.product()},
        {"可乐", 2, "Milk 1 12.35", "", "", counter.product()},
        {"百事可乐", 3, "百事可乐 1 3.5", "", "", counter.product()},
        {"6901234567893", 3, "百事可乐 1 3.5", "条码 6901234567893 校验位错误", "6901234567893", counter.product()},
        {"12345678901", 3, "百事可乐 1 3.5", "未找到条码 12345678901", "12345678901", counter.product()},
        {"2000123006253", 4, "猪肉 0.5 6.25", "", "", counter.product()},
        {"2000123006253", 5, "猪肉 0.5 6.25", "", "", counter.product()},
        {"kl", 5, "猪肉 0.5 6.25", "", "kl", counter.price()}, // two short codes alike: typed by hand
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.scanned);
        counter.product()->setFocus();
        CounterDriver::scan(QString::fromUtf8(step.scanned));
        EXPECT_EQ(lines(), step.lines);
        EXPECT_EQ(
            QStringList({line(lines() - 1, "品名"), line(lines() - 1, "数量"), line(lines() - 1, "金额")}).join(u' '),
            QString::fromUtf8(step.lastLine));
        EXPECT_EQ(counter.scanMessage()->text(), QString::fromUtf8(step.message));
        EXPECT_EQ(QApplication::focusWidget(), step.focus);
        EXPECT_EQ(box->text(), QString::fromUtf8(step.left));
        EXPECT_EQ(box->selectedText(), step.focus == counter.product() ? box->text() : QString());
    }
    EXPECT_EQ(counter.totals()[0], QStringLiteral("5"));
    EXPECT_TRUE(responder.shown.empty());

    counter.product()->setFocus();
    box->selectAll();
    CounterDriver::scan(QStringLiteral("12345678901"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    ASSERT_EQ(catalogue.size(), 1);
    EXPECT_EQ(catalogue[0][0].toString(), QStringLiteral("12345678901"));
}

// Fifty scans as fast as a scanner types, each into wherever the last one left
// the focus: each counts once, as a line or one more on the last line.
TEST_F(CounterWindowTest, FiftyFastScansAreEachCountedOnce)
{
    data.exec(QStringLiteral("update spxx set 条码 = case 品名 when '百事可乐' then '6901234567892' when '可乐' then "
                             "'12345670' else '' end"));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    counter.product()->setFocus();
    int runs = 0;
    for (int scan = 0; scan < 50; ++scan) {
        const bool pepsi = scan % 7 < 4; // runs of four and three
        runs += scan % 7 == 0 || scan % 7 == 4;
        CounterDriver::scan(pepsi ? QStringLiteral("6901234567892") : QStringLiteral("12345670"), 10);
    }
    EXPECT_EQ(lines(), runs);
    EXPECT_EQ(counter.totals()[0], QStringLiteral("50"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx where 品名 not in ('百事可乐', '可乐')")), 0);
    EXPECT_TRUE(responder.shown.empty());
}

// 扫码设置 keeps the scales' settings in counter.conf, and the next scan reads
// by them: the same code is 625 grams, not 6.25 yuan.
TEST_F(CounterWindowTest, ScannerSetupIsSavedAndReadByTheNextScan)
{
    QTemporaryDir config;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    data.exec(QStringLiteral("insert into spxx (品名, 单价, 条码) values ('猪肉', 12.5, '00123')"));
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        Find<QRadioButton>(dialog, "ByWeight")->setChecked(true);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    counter.menuEntry("ScannerSetupEntry")->trigger();
    qputenv("XDG_CONFIG_HOME", savedConfig);
    EXPECT_EQ(LoadScannerSettings(config.filePath(QStringLiteral("salescounter/counter.conf"))),
              (ScannerSettings{20, 29, true}));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    counter.product()->setFocus();
    CounterDriver::scan(QStringLiteral("2000123006253"));
    EXPECT_EQ(line(0, "数量"), QStringLiteral("0.625"));
}

TEST_F(CounterWindowTest, FiguresBeyondAShopsLimitAreRefusedByName)
{
    counter.addLine(QStringLiteral("巨款"), QStringLiteral("1") + QString(309, QLatin1Char('0')), QStringLiteral("1"));
    ASSERT_EQ(responder.texts().size(), 1u);
    EXPECT_TRUE(responder.texts().front().startsWith(QStringLiteral("单价超出范围")));

    // Lines each within the limit whose total is not.
    for (const char *price : {"60000000000", "50000000000"})
        counter.addLine(QStringLiteral("大件"), QString::fromLatin1(price), QStringLiteral("1"));
    EXPECT_EQ(lines(), 1);
    EXPECT_TRUE(responder.texts().back().startsWith(QStringLiteral("合计金额")));

    // Totals that long fit their places, side by side.
    const QLabel *totals[] = {counter.totalQuantity(), counter.totalAmount(), counter.totalDiscounted()};
    EXPECT_EQ(totals[1]->text(), QStringLiteral("60000000000"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_LE(totals[i]->fontMetrics().horizontalAdvance(totals[i]->text()), totals[i]->width()) << i;
        if (i > 0) {
            EXPECT_LT(totals[i - 1]->geometry().right(), totals[i]->x()) << i;
        }
    }
}

// 支付方式 splits the payable by method: only cash gives change; a refused
// split says why and the dialog stays open; the parts last until the cashier
// edits the paid box.
TEST_F(CounterWindowTest, PaymentsSplitByMethod)
{
    CounterDriver::click(counter.paymentMethods());
    EXPECT_EQ(responder.texts(), std::vector<QString>{"没有应付金额！"});
    counter.addLine(QStringLiteral("面包"), QStringLiteral("25.4"), QStringLiteral("1"));
    struct Case
    {
        std::vector<std::pair<const char *, const char *>> typed; // nullptr: the box only gets the focus
        const char *paid; // nullptr: refused
        const char *change;
        std::vector<QString> shown; // the amounts per method, or what the refusal names
    };
    const Case cases[] = {
        {{{"PayWeChat", "20"}, {"PayCash", "5.4"}}, "25.4", "0", {"5.4", "20", "", "", ""}},
        {{{"PayWeChat", "20"}, {"PayCash", "10"}}, "30", "4.6", {"10", "20", "", "", ""}},
        {{{"PayWeChat", "20"}, {"PayCard", nullptr}}, "25.4", "0", {"", "20", "", "5.4", ""}},
        {{{"PayWeChat", "30"}}, nullptr, nullptr, {"微信", "25.4"}},
        {{{"PayCash", "30"}, {"PayWeChat", "20"}, {"PayAlipay", "10"}}, nullptr, nullptr, {"支付宝", "5.4"}},
        {{{"PayWeChat", "10"}, {"PayAlipay", "10"}}, nullptr, nullptr, {"5.4"}},
        {{{"PayCard", "1x"}}, nullptr, nullptr, {"1x"}},
        {{{"PayCash", "-1"}, {"PayOther", "1e12"}}, nullptr, nullptr, {"现金"}},
        {{{"PayOther", "1e12"}}, nullptr, nullptr, {"其他", "超出范围"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown.back().toStdString());
        QDialog *dialog = counter.openPayments();
        for (const auto &[box, amount] : c.typed)
            amount ? Find<QLineEdit>(dialog, box)->setText(QString::fromUtf8(amount))
                   : Find<QLineEdit>(dialog, box)->setFocus();
        responder.shown.clear();
        QTest::keyClick(Find<QLineEdit>(dialog, c.typed.back().first), Qt::Key_Return);
        if (!c.paid) {
            EXPECT_TRUE(dialog->isVisible());
            ASSERT_EQ(responder.texts().size(), 1u);
            for (const QString &named : c.shown)
                EXPECT_TRUE(responder.texts()[0].contains(named)) << responder.texts()[0].toStdString();
            dialog->reject();
            continue;
        }
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(responder.shown.empty());
        EXPECT_EQ(counter.paid()->currentText(), QString::fromUtf8(c.paid));
        EXPECT_EQ(counter.change()->text(), QString::fromUtf8(c.change));
        EXPECT_EQ(counter.chosenPayments(), c.shown);
        CounterDriver::erase(counter.paid()); // paid in cash as typed again
        EXPECT_EQ(counter.chosenPayments(), std::vector<QString>(5));
    }
}

// The remark's lines as the receipt counts them: as many as the box lays out,
// at every wrap boundary (one document margin off moves a boundary by a
// character), an empty line inside counted, a trailing one not, and the same
// in a box never shown.
TEST_F(CounterWindowTest, RemarkLinesAreCountedAsTheBoxShowsThem)
{
    QPlainTextEdit *remark = counter.remark();
    const std::pair<const char *, int> cases[] = {
        {"", 0}, {"欢迎光临", 1}, {"欢迎光临\n谢谢惠顾\n", 2}, {"欢迎光临\n\n谢谢惠顾", 3}, {"\n", 1}};
    for (const auto &[text, lines] : cases) {
        remark->setPlainText(QString::fromUtf8(text));
        EXPECT_EQ(ShownLineCount(*remark), lines) << text;
    }
    for (int length = 1; length <= 150; ++length) {
        remark->setPlainText(QString(length, QChar(0x6D4B)));
        int displayed = 0;
        for (QTextBlock block = remark->document()->begin(); block.isValid(); block = block.next()) {
            remark->document()->documentLayout()->blockBoundingRect(block);
            displayed += block.layout()->lineCount();
        }
        ASSERT_EQ(ShownLineCount(*remark), displayed) << length << " characters";
    }
    QPlainTextEdit hidden;
    hidden.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    hidden.setFont(remark->font());
    hidden.resize(remark->size());
    hidden.setPlainText(remark->toPlainText() + QStringLiteral("\n短"));
    remark->setPlainText(hidden.toPlainText());
    EXPECT_EQ(ShownLineCount(hidden), ShownLineCount(*remark));
}

} // namespace
