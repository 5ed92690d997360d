#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "printers/PrinterConf.h"
#include "tests/printers/EscPosDecoder.h"
#include "tests/support/Controls.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/CupsPdfPrinter.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// The PDF writer keeps page sizes in whole points.
constexpr double kToleranceMm = 0.5;

class CheckoutPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A printer.conf of the test's own (none: the system printer).
        savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        // Before any window asks for a printer.
        printer = &CupsPdfPrinter::Shared();
        program = std::make_unique<Application>(session);
        program->counter().show();
        counter.emplace(program->counter());
        counter->product()->clearEditText();
        counter->manualTime()->click(); // the ticket time as typed, not the clock's
        counter->shopName()->setText(QStringLiteral("好运小店"));
        counter->cashier()->setText(QStringLiteral("小王"));
        counter->paperWidth()->setEditText(QStringLiteral("58"));
        counter->layout()->setEditText(QStringLiteral("一联"));
        counter->copies()->setEditText(QStringLiteral("1"));
        counter->ticketNumber()->setText(QStringLiteral("20240501000001"));
        counter->ticketTime()->setText(QStringLiteral("2024-05-01 10:20:30"));
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfig); }

    // Enters lines "商品1".."商品n" at 12.5 each, line i of quantity i, and 100 paid.
    void addLines(int count)
    {
        for (int i = 1; i <= count; ++i)
            counter->addLine(QStringLiteral("商品%1").arg(i), QStringLiteral("12.5"), QString::number(i));
        counter->paid()->setEditText(QStringLiteral("100"));
    }

    QTemporaryDir config;
    QByteArray savedConfig;
    TempData data;
    RecordingResponder responder;
    CupsPdfPrinter *printer = nullptr;
    Session session;
    std::unique_ptr<Application> program;
    std::optional<CounterDriver> counter;
};

// Through the system's default queue: each copy is a job named after the
// ticket whose PDF shows the ticket on one page of the paper width chosen,
// longer for more lines; the sale is recorded once and
// the counter starts the next ticket.
TEST_F(CheckoutPrintTest, PrintsEachCopyOnPaperAsLongAsTheTicketAndRecordsTheSale)
{
    const struct
    {
        int lines;
        int copies;
        const char *recorded; // 数量, 金额, 折后, 支付, 找零
    } cases[] = {{1, 1, "1|12.5|12.5|100|87.5"}, {3, 2, "6|75|75|100|25"}};
    std::vector<QString> firstCopies;
    int soldLines = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.lines);
        counter->ticketNumber()->setText(QStringLiteral("20240501000001"));
        counter->copies()->setEditText(QString::number(c.copies));
        counter->showCustomer(true);
        counter->customer()->setText(QStringLiteral("张三丰"));
        addLines(c.lines);

        const int jobs = printer->jobsSubmitted();

        counter->print();
        ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();

        const QStringList pdfs = printer->waitForNewPdfs(c.copies);
        EXPECT_EQ(printer->jobsSubmitted(), jobs + c.copies);
        for (const QString &pdf : pdfs) {
            EXPECT_TRUE(QFileInfo(pdf).fileName().contains(QStringLiteral("20240501000001"))) << pdf.toStdString();
            EXPECT_EQ(PdfText::PageCount(pdf), 1);
            EXPECT_NEAR(PdfText::PageSizeMm(pdf).width(), 58, kToleranceMm);
            const QString text = PdfText::Text(printer->submittedDocument(pdf));
            for (const char *shown : {"好运小店", "20240501000001", "张三丰"})
                EXPECT_TRUE(PdfText::Shows(text, QString::fromUtf8(shown))) << text.toStdString();
            EXPECT_EQ(text, PdfText::Text(printer->submittedDocument(pdfs.front())));
        }
        firstCopies.push_back(pdfs.front());
        EXPECT_EQ(data.rows(QStringLiteral("select 单号, 时间, 收银员, 数量, 金额, 折后, 支付, 找零 from xstj "
                                           "order by 序号 desc"))
                      .value(0),
                  QStringLiteral("20240501000001|2024-05-01 10:20:30|小王|") + QString::fromUtf8(c.recorded));
        soldLines += c.lines;
        EXPECT_EQ(data.count(QStringLiteral("xsmx where 客户 = '张三丰'")), soldLines);

        // The next ticket: a new number, nothing entered, the shop's settings as they were.
        EXPECT_NE(counter->ticketNumber()->text(), QStringLiteral("20240501000001"));
        EXPECT_EQ(counter->totals(), (std::vector<QString>{"0", "0", "0", "", ""}));
        EXPECT_EQ(counter->customer()->text(), QString());
        EXPECT_EQ(counter->shopName()->text(), QStringLiteral("好运小店"));
    }
    // The page follows the receipt's length (how much exactly, the receipt tests tell).
    EXPECT_GT(PdfText::PageSizeMm(firstCopies[1]).height(), PdfText::PageSizeMm(firstCopies[0]).height() + 2);
}

// While a slow receipt printer takes a print (the sale's receipt, its reprint
// from the statistics, the day-end report), the window shows the printing and
// keeps painting (the clock ticks), a second press prints nothing, and only
// the sale opens the drawer.
TEST_F(CheckoutPrintTest, ASlowReceiptPrinterLeavesTheWindowLiveAndPrintsOnce)
{
    QWidget *printing = nullptr; // the window whose button started the print
    // Through the window system, as a user's click: a modal window blocks it.
    const auto click = [](QWidget *window, const char *name) {
        const auto *button = Find<QAbstractButton>(window, name);
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, button->mapTo(window, button->rect().center()));
    };
    // Clicks the buttons in turn, each in the modal window the one before
    // opened, and closes those windows again.
    std::function<void(QWidget *, std::vector<const char *>)> clickThrough;
    clickThrough = [&](QWidget *window, std::vector<const char *> path) {
        if (path.size() == 1)
            printing = window;
        else
            QTimer::singleShot(0, [&, path] {
                auto *opened = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                ASSERT_NE(opened, nullptr) << path[1] << ": no window opened";
                clickThrough(opened, {path.begin() + 1, path.end()});
                opened->reject();
            });
        click(window, path.front());
    };
    const struct
    {
        const char *what;
        std::vector<const char *> path;
        int drawerPulses;
    } cases[] = {
        {"checkout", {"SpeedButton8"}, 1},
        {"reprint", {"SpeedButton6", "ReprintButton"}, 0},
        {"day-end", {"SpeedButton6", "DayEndButton", "PrintButton"}, 0},
    };
    addLines(3); // for the sale, the first
    counter->manualTime()->click(); // the clock runs again
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        VirtualEscPosPrinter slow(VirtualEscPosPrinter::Behaviour::ReadsSlowly);
        PrinterConf conf;
        conf.kind = PrinterConf::Kind::EscPos;
        conf.target = slow.target();
        conf.drawer = true;
        SavePrinterConf(PrinterConfPath(), conf);

        QStringList shown, times;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (const auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget())) {
                shown << progress->labelText();
                times << counter->ticketTime()->text();
                click(printing, c.path.back());
            }
        });
        watch.start(100);
        clickThrough(&program->counter(), c.path);
        watch.stop();

        ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("正在打印…")));
        times.removeDuplicates();
        EXPECT_GE(times.size(), 2) << "the clock stood still while printing";
        const DecodedEscPos received = DecodeEscPos(slow.received(1 + c.drawerPulses));
        EXPECT_EQ(received.images.size(), 1u);
        EXPECT_EQ(received.count('p'), c.drawerPulses);
        EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
    }
}

// A sale paid by method records one row per part, the cash part less the
// change; cash as typed records its payable in cash. The drawer opens only
// when cash changes hands.
TEST_F(CheckoutPrintTest, PartsOfAPaymentAreRecordedAndOnlyCashOpensTheDrawer)
{
    const struct
    {
        std::vector<std::pair<const char *, const char *>> typed; // empty: cash as typed
        QStringList recorded;
        int drawerPulses;
    } cases[] = {
        {{}, {"现金|25.4"}, 1},
        {{{"PayWeChat", "20"}, {"PayCash", "10"}}, {"现金|5.4", "微信|20"}, 1},
        {{{"PayAlipay", "25.4"}}, {"支付宝|25.4"}, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.recorded.join(u' ').toStdString());
        VirtualEscPosPrinter escPos;
        SavePrinterConf(PrinterConfPath(),
                        {.kind = PrinterConf::Kind::EscPos, .target = escPos.target(), .drawer = true});
        counter->addLine(QStringLiteral("面包"), QStringLiteral("25.4"), QStringLiteral("1"));
        if (!c.typed.empty()) {
            QDialog *dialog = counter->openPayments();
            for (const auto &[box, amount] : c.typed)
                Find<QLineEdit>(dialog, box)->setText(QString::fromUtf8(amount));
            QTest::keyClick(Find<QLineEdit>(dialog, c.typed.back().first), Qt::Key_Return);
        }
        data.exec(QStringLiteral("delete from zfmx")); // the earlier cases' rows
        counter->print();
        ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
        EXPECT_EQ(data.rows(QStringLiteral("select 方式, 金额 from zfmx order by 序号")), c.recorded);
        EXPECT_EQ(DecodeEscPos(escPos.received(1 + c.drawerPulses)).count('p'), c.drawerPulses);
    }
}

// An empty ticket says so and prints nothing, but the settings as typed are kept.
TEST_F(CheckoutPrintTest, EmptyTicketSavesTheSettingsAndStopsThere)
{
    counter->remark()->setPlainText(QStringLiteral("第一行\n第二行"));
    const int jobs = printer->jobsSubmitted();

    counter->print();

    EXPECT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("打印信息为空！")});
    EXPECT_EQ(data.rows(QStringLiteral("select 店名, 备注, 收银员, pos, modle, print from dynr")),
              QStringList{QStringLiteral("好运小店|第一行\n第二行|小王|58|一联|1")});
    EXPECT_EQ(printer->jobsSubmitted(), jobs);
}

// Without a default printer the sale stops with the ticket kept and the
// settings saved; a printer added while the program runs is found.
TEST_F(CheckoutPrintTest, WithoutADefaultPrinterNothingIsRecordedUntilOneIsAdded)
{
    printer->removeQueue();
    struct Restore
    {
        CupsPdfPrinter *printer;
        ~Restore() { printer->addQueue(); }
    } restore{printer};
    counter->shopName()->setText(QStringLiteral("改过的店名"));
    addLines(2);

    counter->print();

    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
    EXPECT_TRUE(responder.shown[0].text.contains(QStringLiteral("默认打印机")))
        << responder.shown[0].text.toStdString();
    EXPECT_EQ(counter->ticketNumber()->text(), QStringLiteral("20240501000001"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 2);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QStringLiteral("改过的店名"));

    responder.shown.clear();
    printer->addQueue();
    counter->print();
    ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
    printer->waitForNewPdfs(1);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
}

} // namespace
