#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "grid/DataGrid.h"
#include "printers/PrinterConf.h"
#include "tests/printers/EscPosDecoder.h"
#include "tests/support/Controls.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/CupsPdfPrinter.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr double kMmPerPoint = 25.4 / 72;
constexpr double kMmPerUnit = 25.4 / 96;
// The PDF writer keeps page sizes in whole points.
constexpr double kToleranceMm = 0.5;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " failed: " << process.errorString().toStdString()
                      << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfPage
{
    int pages = 0;
    double widthMm = 0;
    double lengthMm = 0;
};

PdfPage pageOf(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    PdfPage page;
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (size.hasMatch()) {
        page.widthMm = size.captured(1).toDouble() * kMmPerPoint;
        page.lengthMm = size.captured(2).toDouble() * kMmPerPoint;
    }
    if (pages.hasMatch())
        page.pages = pages.captured(1).toInt();
    return page;
}

// The PDF's text without blanks and line breaks. The CJK font shares some
// glyphs with the Kangxi radicals, which the text layer then names; NFKC
// turns those back into the ordinary characters.
QString textOf(const QString &pdf)
{
    return run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
        .normalized(QString::NormalizationForm_KC)
        .remove(QRegularExpression(QStringLiteral("\\s")));
}

// The first row of a query, its columns as the row set gives them as text, joined by "|".
QString rowOf(const TempData &data, const QString &sql)
{
    Session connection;
    connection.setConnectionString(data.file());
    RowSet rows(connection);
    rows.setStatement(sql);
    rows.open();
    QStringList cells;
    for (int column = 0; rows.recordCount() && column < rows.columnCount(); ++column)
        cells << rows.textAt(0, column);
    return cells.join(u'|');
}

// A receipt printer's device file that takes its bytes slowly: a named pipe
// with the smallest buffer, read a little at a time by a thread of the test.
class SlowDevice
{
public:
    explicit SlowDevice(const QString &path)
    {
        const QByteArray name = QFile::encodeName(path);
        if (::mkfifo(name.constData(), 0600) != 0)
            throw std::runtime_error("mkfifo failed");
        m_fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        ::fcntl(m_fd, F_SETPIPE_SZ, 4096);
        m_thread = std::thread([this] {
            while (!m_stop) {
                readSome();
                QThread::msleep(20);
            }
            while (readSome() > 0) { }
            ::close(m_fd);
        });
    }
    ~SlowDevice() { finish(); }

    QByteArray finish()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_received;
    }

private:
    ssize_t readSome()
    {
        char buffer[256];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0)
            m_received.append(buffer, n);
        return n;
    }

    int m_fd = -1;
    std::atomic<bool> m_stop{false};
    QByteArray m_received;
    std::thread m_thread;
};

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
        form = &program->counter();
        form->show();
        counter.emplace(*form);
        counter->product()->clearEditText();
        counter->manualTime()->click(); // the ticket time as typed, not the clock's
        counter->shopName()->setText(QStringLiteral("好运小店"));
        counter->cashier()->setText(QStringLiteral("小王"));
        counter->remark()->setPlainText(QString());
        counter->paperWidth()->setEditText(QStringLiteral("58"));
        counter->layout()->setEditText(QStringLiteral("一联"));
        counter->copies()->setEditText(QStringLiteral("1"));
        counter->showCustomer(false);
        counter->ticketNumber()->setText(QStringLiteral("20240501000001"));
        counter->ticketTime()->setText(QStringLiteral("2024-05-01 10:20:30"));
        jobsBefore = printer->jobsSubmitted();
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", savedConfig); }

    // Enters lines "商品1".."商品n" at 12.5 each, line i of quantity i, and 20 paid.
    void addLines(int count)
    {
        for (int i = 1; i <= count; ++i)
            counter->addLine(QStringLiteral("商品%1").arg(i), QStringLiteral("12.5"), QString::number(i));
        counter->paid()->setEditText(QStringLiteral("20"));
    }

    void expectCounterReset()
    {
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{14}$")).match(counter->ticketNumber()->text()).hasMatch())
            << counter->ticketNumber()->text().toStdString();
        EXPECT_EQ(counter->totals(), (std::vector<QString>{"0", "0", "0", "", ""}));
        for (QLineEdit *customer : {counter->customer(), counter->phone(), counter->address()})
            EXPECT_EQ(customer->text(), QString());
        EXPECT_EQ(counter->paid()->currentText(), QString());
        EXPECT_EQ(counter->lineCount(), 0);
        // What the next ticket starts from stays.
        EXPECT_EQ(counter->shopName()->text(), QStringLiteral("好运小店"));
        EXPECT_EQ(counter->ticketTime()->text(), QStringLiteral("2024-05-01 10:20:30"));
    }

    void expectTicketKept(int lines)
    {
        EXPECT_EQ(counter->ticketNumber()->text(), QStringLiteral("20240501000001"));
        EXPECT_EQ(counter->totalQuantity()->text(), QString::number(lines * (lines + 1) / 2));
        EXPECT_EQ(counter->lineCount(), lines);
        EXPECT_EQ(data.count(QStringLiteral("xsxx")), lines);
        EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
        EXPECT_EQ(data.count(QStringLiteral("xsmx")), 0);
    }

    QTemporaryDir config;
    QByteArray savedConfig;
    TempData data;
    RecordingResponder responder;
    CupsPdfPrinter *printer = nullptr;
    Session session;
    std::unique_ptr<Application> program;
    CounterWindow *form = nullptr;
    std::optional<CounterDriver> counter;
    int jobsBefore = 0;
};

TEST_F(CheckoutPrintTest, PrintsOneReceiptOnPaperAsLongAsTheTicketAndRecordsTheSale)
{
    struct Case
    {
        const char *width;
        const char *parts;
        const char *remark;
        int lines;
        double paperWidthMm;
        int lengthUnits;
    };
    const Case cases[] = {
        {"58", "一联", "", 1, 57.94, 17 * 0 + 25 * 1 + 350},
        // A 76 mm detail row is 30 units tall.
        {"76", "两联", "谢谢惠顾\n欢迎再来\n", 3, 75.94, 17 * 2 + 30 * 3 + 500},
    };
    int recorded = 0;
    int soldLines = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.width) + c.parts);
        counter->ticketNumber()->setText(QStringLiteral("20240501000001"));
        counter->paperWidth()->setEditText(QString::fromUtf8(c.width));
        counter->layout()->setEditText(QString::fromUtf8(c.parts));
        counter->remark()->setPlainText(QString::fromUtf8(c.remark));
        addLines(c.lines);

        counter->print();
        ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();

        const QStringList pdfs = printer->waitForNewPdfs(1);
        const PdfPage page = pageOf(pdfs.front());
        EXPECT_EQ(page.pages, 1);
        EXPECT_NEAR(page.widthMm, c.paperWidthMm, kToleranceMm);
        EXPECT_NEAR(page.lengthMm, c.lengthUnits * kMmPerUnit, kToleranceMm);
        const QString text = textOf(printer->submittedDocument(pdfs.front()));
        EXPECT_TRUE(text.contains(QStringLiteral("20240501000001"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("好运小店"))) << text.toStdString();

        ++recorded;
        EXPECT_EQ(data.count(QStringLiteral("xstj")), recorded);
        EXPECT_EQ(
            rowOf(data, QStringLiteral("select 单号, 时间, 数量, 金额, 折后, 收银员 from xstj order by 序号 desc")),
            QStringLiteral("20240501000001|2024-05-01 10:20:30|%1|%2|%2|小王")
                .arg(c.lines * (c.lines + 1) / 2)
                .arg(12.5 * c.lines * (c.lines + 1) / 2));
        soldLines += c.lines;
        EXPECT_EQ(data.count(QStringLiteral("xsmx")), soldLines);
        expectCounterReset();
    }
    // The lines are stored in the order they were added.
    EXPECT_EQ(data.scalar(QStringLiteral("select group_concat(品名, ',') from (select 品名 from xsmx order by 序号)")),
              QStringLiteral("商品1,商品1,商品2,商品3"));
    EXPECT_EQ(printer->jobsSubmitted(), jobsBefore + 2);
}

// Print, record and list in one run: the statistics window shows the sale just
// made, read through the one session every window shares.
TEST_F(CheckoutPrintTest, ASalePrintedIsListedInTheStatisticsThroughTheOneSession)
{
    addLines(2);
    counter->print();
    ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
    printer->waitForNewPdfs(1);

    QStringList listed;
    const RowSet *statisticsRows = nullptr;
    QTimer::singleShot(0, [&] {
        auto *statistics = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(statistics, nullptr);
        statisticsRows = Find<DataGrid>(statistics, "DBGridEh1")->rowSet();
        for (int row = 0; row < statisticsRows->recordCount(); ++row)
            listed << statisticsRows->textAt(row, statisticsRows->columnIndex(QStringLiteral("单号")));
        statistics->reject();
    });
    QTest::mouseClick(counter->statistics(), Qt::LeftButton);

    EXPECT_EQ(listed, QStringList{QStringLiteral("20240501000001")});
    ASSERT_NE(statisticsRows, nullptr);
    EXPECT_EQ(&statisticsRows->connection(), &program->session());
    EXPECT_EQ(&counter->lines()->rowSet()->connection(), &program->session());
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
    // Runs `act` in the modal window that `open` brings up, then closes it.
    const auto inModal = [](const std::function<void()> &open, const std::function<void(QDialog *)> &act) {
        QTimer::singleShot(0, [act] {
            if (auto *window = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                act(window);
                window->reject();
            } else {
                ADD_FAILURE() << "no window opened";
            }
        });
        open();
    };
    const auto inStatistics = [&](const std::function<void(QDialog *)> &act) {
        inModal([&] { click(form, "SpeedButton6"); }, act);
    };
    struct Case
    {
        const char *path;
        const char *button;
        std::function<void()> print;
        int drawerPulses;
    };
    const Case cases[] = {
        {"checkout", "SpeedButton8",
         [&] {
             printing = form;
             addLines(3);
             click(form, "SpeedButton8");
         },
         1},
        {"reprint", "ReprintButton",
         [&] {
             inStatistics([&](QDialog *statistics) {
                 printing = statistics;
                 click(statistics, "ReprintButton");
             });
         },
         0},
        {"day-end", "PrintButton",
         [&] {
             inStatistics([&](QDialog *statistics) {
                 inModal([&] { click(statistics, "DayEndButton"); },
                         [&](QDialog *preview) {
                             printing = preview;
                             click(preview, "PrintButton");
                         });
             });
         },
         0},
    };
    counter->manualTime()->click(); // the clock runs again
    int devices = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.path);
        const QString device = config.filePath(QStringLiteral("printer%1").arg(++devices));
        SlowDevice slow(device);
        PrinterConf conf;
        conf.kind = PrinterConf::Kind::EscPos;
        conf.target = device;
        conf.drawer = true;
        SavePrinterConf(PrinterConfPath(), conf);

        QStringList shown, times;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (const auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget())) {
                shown << progress->labelText();
                times << counter->ticketTime()->text();
                click(printing, c.button);
            }
        });
        watch.start(100);
        c.print();
        watch.stop();

        ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
        EXPECT_TRUE(shown.contains(QStringLiteral("正在打印…")));
        times.removeDuplicates();
        EXPECT_GE(times.size(), 2) << "the clock stood still while printing";
        const DecodedEscPos received = DecodeEscPos(slow.finish());
        EXPECT_EQ(received.images.size(), 1u);
        EXPECT_EQ(received.count('p'), c.drawerPulses);
        EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
        EXPECT_EQ(counter->lineCount(), 0);
    }
}

TEST_F(CheckoutPrintTest, TwoCopiesAreTwoJobsOfOneSale)
{
    counter->copies()->setEditText(QStringLiteral("2"));
    addLines(2);

    counter->print();

    const QStringList pdfs = printer->waitForNewPdfs(2);
    EXPECT_EQ(printer->jobsSubmitted(), jobsBefore + 2);
    EXPECT_EQ(pageOf(pdfs[0]).lengthMm, pageOf(pdfs[1]).lengthMm);
    EXPECT_EQ(textOf(printer->submittedDocument(pdfs[0])), textOf(printer->submittedDocument(pdfs[1])));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 2);
}

TEST_F(CheckoutPrintTest, CustomerReceiptPrintsAndStoresTheCustomer)
{
    counter->showCustomer(true);
    counter->customer()->setText(QStringLiteral("张三丰"));
    counter->phone()->setText(QStringLiteral("13912345678"));
    counter->address()->setText(QStringLiteral("解放路8号"));
    addLines(1);

    counter->print();

    const QString text = textOf(printer->submittedDocument(printer->waitForNewPdfs(1).front()));
    for (const char *expected : {"张三丰", "13912345678", "解放路8号", "小王", "20", "7.5"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << " missing from " << text.toStdString();
    EXPECT_EQ(rowOf(data, QStringLiteral("select 客户, 电话, 地址 from xsmx")),
              QStringLiteral("张三丰|13912345678|解放路8号"));
    expectCounterReset();
}

TEST_F(CheckoutPrintTest, SettingsMatchingNoReceiptRecordWithoutPrinting)
{
    struct Case
    {
        const char *width;
        const char *parts;
        const char *copies;
    };
    const Case cases[] = {{"80", "一联", "1"}, {"58", "三联", "1"}, {"76", "两联", "3"}};
    int recorded = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.width) + c.parts + c.copies);
        counter->ticketNumber()->setText(QStringLiteral("20240501000001"));
        counter->paperWidth()->setEditText(QString::fromUtf8(c.width));
        counter->layout()->setEditText(QString::fromUtf8(c.parts));
        counter->copies()->setEditText(QString::fromUtf8(c.copies));
        addLines(1);

        counter->print();

        EXPECT_TRUE(responder.shown.empty());
        EXPECT_EQ(printer->jobsSubmitted(), jobsBefore);
        EXPECT_EQ(data.count(QStringLiteral("xstj")), ++recorded);
        EXPECT_EQ(rowOf(data, QStringLiteral("select pos, modle, print from dynr")),
                  QStringList({QString::fromUtf8(c.width), QString::fromUtf8(c.parts), QString::fromUtf8(c.copies)})
                      .join(u'|'));
        expectCounterReset();
    }
}

TEST_F(CheckoutPrintTest, EmptyTicketSavesTheSettingsAndStopsThere)
{
    data.exec(QStringLiteral("delete from dynr"));
    counter->shopName()->setText(QStringLiteral("新店名"));
    counter->remark()->setPlainText(QStringLiteral("第一行\n第二行"));

    counter->print();

    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].text, QStringLiteral("打印信息为空！"));
    EXPECT_EQ(responder.shown[0].title, QStringLiteral("提示"));
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Warning);
    // The first press creates the settings row.
    EXPECT_EQ(data.count(QStringLiteral("dynr")), 1);
    EXPECT_EQ(rowOf(data, QStringLiteral("select 店名, 备注, 收银员, pos, modle, print from dynr")),
              QStringLiteral("新店名|第一行\n第二行|小王|58|一联|1"));
    EXPECT_EQ(printer->jobsSubmitted(), jobsBefore);
    EXPECT_EQ(counter->ticketNumber()->text(), QStringLiteral("20240501000001"));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
}

TEST_F(CheckoutPrintTest, WithoutADefaultPrinterNothingIsRecorded)
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
    expectTicketKept(2);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QStringLiteral("改过的店名"));
}

TEST_F(CheckoutPrintTest, PrinterAddedWhileRunningIsFoundAndJobsAreNamedAfterTheTicket)
{
    printer->removeQueue();
    addLines(1);
    counter->print();
    ASSERT_EQ(responder.shown.size(), 1u) << "no printer yet";
    responder.shown.clear();

    printer->addQueue();
    counter->print();
    ASSERT_TRUE(responder.shown.empty()) << responder.shown.front().text.toStdString();
    const QStringList pdfs = printer->waitForNewPdfs(1);
    EXPECT_TRUE(QFileInfo(pdfs.front()).fileName().contains(QStringLiteral("20240501000001")))
        << pdfs.front().toStdString();
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
}

TEST_F(CheckoutPrintTest, RefusedSaleKeepsTheTicket)
{
    // Nothing prints, so only the recording is under test.
    counter->paperWidth()->setEditText(QStringLiteral("80"));
    addLines(3);

    struct Case
    {
        const char *what;
        const char *time;
        bool refuseLine;
    };
    const Case cases[] = {{"a typed time that is no date", "昨天下午", false},
                          {"the engine refusing the second line", "2024-05-01 10:20:30", true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        responder.shown.clear();
        counter->ticketTime()->setText(QString::fromUtf8(c.time));
        if (c.refuseLine)
            data.exec(QStringLiteral("create trigger refuse before insert on xsmx when new.品名 = '商品2' "
                                     "begin select raise(abort, 'refused'); end"));

        counter->print();

        ASSERT_EQ(responder.shown.size(), 1u);
        EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
        expectTicketKept(3);
    }
}

} // namespace

namespace {

TEST_F(CheckoutPrintTest, SaleThatCannotBeStoredPrintsNoReceipt)
{
    addLines(2);
    counter->ticketTime()->setText(QStringLiteral("昨天下午"));

    counter->print();

    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
    EXPECT_TRUE(responder.shown[0].text.contains(QStringLiteral("昨天下午")));
    EXPECT_EQ(printer->jobsSubmitted(), jobsBefore);
    expectTicketKept(2);
}

} // namespace
