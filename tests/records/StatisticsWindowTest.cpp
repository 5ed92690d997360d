#include "tests/fileformats/ReadBack.h"
#include "tests/records/RecordsFixture.h"

#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "maintenance/BackupRestore.h"
#include "receipts/ReceiptLayoutParts.h"
#include "records/ChartScale.h"
#include "records/SaleDetailWindow.h"
#include "records/SalesChartWindow.h"
#include "records/StatisticsWindow.h"
#include "report/ReportView.h"
#include "tests/support/PdfText.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <map>

namespace {

const QString T1 = QStringLiteral("20240301090000");
const QString T2 = QStringLiteral("20240302235959");
const QString T3 = QStringLiteral("20240303000000");
const QRegularExpression kReprintMark(QStringLiteral("^重打 \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$"));

class StatisticsTest : public RecordsTest
{
protected:
    void SetUp() override
    {
        // Stored out of number order, with one ticket that has no number.
        store(Ticket{T3, QStringLiteral("2024-03-03 00:00:00"), 3, 7.25, 7.25, QStringLiteral("O'Brien")});
        store(Ticket{T1, QStringLiteral("2024-03-01 09:00:00"), 2, 10.126, 9.5, QStringLiteral("张三")});
        store(Ticket{QString(), QStringLiteral("2024-03-02 12:00:00"), 5, 5, 5, QStringLiteral("张三")});
        store(Ticket{T2, QStringLiteral("2024-03-02 23:59:59"), 1, 3, 3, QStringLiteral("李四 Émile")});
        statistics.reload();
        statistics.show();
    }

    QStringList listed() const { return columnTexts(*grid->rowSet(), QStringLiteral("单号")); }
    QStringList footer() const
    {
        return {grid->footerText(0), grid->footerText(3), grid->footerText(4), grid->footerText(5)};
    }
    static void click(QWidget &window, const char *button)
    {
        QTest::mouseClick(Find<QToolButton>(window, button), Qt::LeftButton);
    }
    void sell(const QString &number, const QString &time, const QString &cashier, double paid, double change)
    {
        session.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零) "
                                    "values (?1, ?2, 3, 37.5, 33.75, ?3, ?4, ?5)"),
                     {number, time, cashier, paid, change});
        store(SoldLine{number, QStringLiteral("苹果"), 12.5, 1, 12.5, 11.25});
        store(SoldLine{number, QStringLiteral("香蕉"), 12.5, 2, 25, 22.5});
    }

    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
    QLineEdit *detailNumberBox = Find<QLineEdit>(statistics, "Edit3");
    DataGrid *grid = Find<DataGrid>(statistics, "DBGridEh1");
    DataGrid *detailGrid = Find<DataGrid>(detail, "DBGridEh1");
};

// A return lists with its negative figures and the sums net it; each ticket
// shows how it was paid, in the order recorded.
TEST_F(StatisticsTest, OpeningListsInNumberOrderWithPaymentsNetSumsAndRefreshInStoredOrder)
{
    session.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) "
                                "values ('R1', '2024-03-04 10:00:00', -1, -3, -2.5, '张三', ?1)"),
                 {T2});
    session.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values (?1, '微信', 5.5), ('R1', '现金', -2.5), "
                                "(?1, '现金', 4)"),
                 {T1});
    statistics.reload();
    EXPECT_EQ(listed(), (QStringList{QString(), T1, T2, T3, QStringLiteral("R1")}));
    EXPECT_EQ(grid->cellText(1, 4), QStringLiteral("10.13"));
    QStringList payments;
    for (int row = 0; row < 5; ++row)
        payments << grid->cellText(row, 7);
    EXPECT_EQ(payments,
              (QStringList{QStringLiteral("未记录"), QStringLiteral("微信 5.5 / 现金 4"), QStringLiteral("未记录"),
                           QStringLiteral("未记录"), QStringLiteral("现金 -2.5")}));
    // The sums keep every decimal: the general number form, not the cells' "#0.##".
    EXPECT_EQ(
        footer(),
        (QStringList{QStringLiteral("合计"), QStringLiteral("10"), QStringLiteral("22.376"), QStringLiteral("22.25")}));

    // The refresh lists in stored order and keeps the search's inputs.
    QLineEdit *numberBox = Find<QLineEdit>(statistics, "Edit1");
    numberBox->setText(QStringLiteral("0302"));
    click(statistics, "SpeedButton5");
    EXPECT_EQ(listed(), (QStringList{T3, T1, QString(), T2, QStringLiteral("R1")}));
    EXPECT_EQ(numberBox->text(), QStringLiteral("0302"));
}

TEST_F(StatisticsTest, SearchMatchesNumberAndCashierTogetherOrTakesTheWholeDaysOfASpan)
{
    struct Case
    {
        QString number, cashier;
        QDate from, to;
        QStringList expected;
    };
    const Case cases[] = {
        {QString(), QString(), {}, {}, {T1, T2, T3}}, // a ticket without number never shows
        {QStringLiteral("0302"), QString(), {}, {}, {T2}},
        {QStringLiteral("2024030"), QStringLiteral("张"), {}, {}, {T1}},
        {QString(), QStringLiteral("'"), {}, {}, {T3}}, // a quote is searched for, not an error
        {QStringLiteral("'); drop table xstj; --"), QString(), {}, {}, {}},
        {QStringLiteral("%"), QString(), {}, {}, {}}, // searched for as any other character
        {QStringLiteral("0_0"), QStringLiteral("三"), {}, {}, {}},
        {QString(), QStringLiteral("o'b"), {}, {}, {T3}}, // the case of ASCII letters only is ignored
        {QString(), QStringLiteral("émile"), {}, {}, {}},
        // A span ignores the boxes and takes its last day whole.
        {QStringLiteral("0302"), QStringLiteral("nobody"), {2024, 3, 2}, {2024, 3, 2}, {QString(), T2}},
        {QString(), QString(), {2024, 3, 1}, {2024, 3, 2}, {QString(), T1, T2}},
        {QString(), QString(), {2024, 3, 3}, {2024, 3, 3}, {T3}},
        {QString(), QString(), {2024, 3, 3}, {2024, 3, 1}, {}},
        {QStringLiteral("0301"), QStringLiteral("李"), {}, {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(QString(c.number + QLatin1Char('|') + c.cashier + c.from.toString()).toStdString());
        search(statistics, c.number, c.cashier, c.from, c.to);
        QStringList found = listed();
        found.sort();
        EXPECT_EQ(found, c.expected);
    }
    EXPECT_TRUE(responder.shown.empty());
    // The last, empty result shows the fixed footer and zero sums.
    EXPECT_EQ(footer(),
              (QStringList{QStringLiteral("合计"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

// Every listed ticket is written, whatever the selection, and the last one is
// left current; after a search only its result. The file is given the
// extension unless it has it, in any case.
TEST_F(StatisticsTest, ExportWritesTheListedTicketsWhateverTheSelection)
{
    QTemporaryDir out;
    const auto exportAs = [&](const QString &name) { // an empty name cancels
        responder.fileAnswers.push_back(name.isEmpty() ? QString() : out.filePath(name));
        click(statistics, "SpeedButton1");
    };
    const auto numbersIn = [&](const char *name) {
        QStringList numbers;
        const std::vector<ReadSheet> book = ReadWorkbook(out.filePath(QString::fromUtf8(name)));
        for (const QStringList &row : book.at(0).rows)
            numbers << row.value(1);
        return numbers;
    };
    clickCell(grid, 2, 1);
    exportAs(QStringLiteral("all"));
    EXPECT_EQ(numbersIn("all.xls").size(), 5);
    EXPECT_EQ(grid->selectedRowPositions(), std::vector<int>{3});
    search(statistics, QStringLiteral("0303"), QString());
    exportAs(QStringLiteral("found.XLS"));
    EXPECT_EQ(numbersIn("found.XLS"), (QStringList{TextCell(QStringLiteral("单号")), TextCell(T3)}));
    search(statistics, QString(), QStringLiteral("nobody"));
    exportAs(QStringLiteral("none.xlsx"));
    exportAs(QString());
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files, QDir::Name),
              (QStringList{QStringLiteral("all.xls"), QStringLiteral("found.XLS"), QStringLiteral("none.xlsx.xls")}));
    EXPECT_EQ(responder.fileFilters, std::vector<QString>(4, QStringLiteral("*.xls")));
    EXPECT_EQ(responder.texts(), std::vector<QString>(3, QStringLiteral("成功导出全部数据!")));
    EXPECT_EQ(responder.shown.back().icon, Dialogs::Icon::None);

    // A file that cannot be written is reported, without success.
    responder.shown.clear();
    exportAs(QStringLiteral("missing-folder/tickets"));
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_EQ(responder.shown[0].icon, Dialogs::Icon::Stop);
    EXPECT_TRUE(responder.shown[0].text.contains(QStringLiteral("tickets.xls")));
}

TEST_F(StatisticsTest, DeleteAsksThenRemovesTheTicketButKeepsItsLines)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 3, 2, 6, 6});
    clickCell(grid, 1, 1);
    responder.confirmAnswer = false;
    click(statistics, "SpeedButton2");
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_TRUE(responder.shown.front().text.contains(T1));

    responder.confirmAnswer = true;
    responder.shown.clear();
    click(statistics, "SpeedButton2");

    EXPECT_EQ(listed(), (QStringList{QString(), T2, T3}));
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 1);
    EXPECT_EQ(
        footer(),
        (QStringList{QStringLiteral("合计"), QStringLiteral("9"), QStringLiteral("15.25"), QStringLiteral("15.25")}));

    // Delete on an empty list deletes nothing.
    search(statistics, QStringLiteral("nothing matches"), QString());
    click(statistics, "SpeedButton2");
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 3);
}

// A list of several pages, each number three times, is the table's rows in
// order whichever way it is read, after deletes on a page's edges and of the
// last row, and after a search down to less than a page; its sums are the table's.
TEST_F(StatisticsTest, ALongListIsTheTableWhicheverWayItIsReadAndAfterDeletes)
{
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 700) "
                             "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) select printf('P%04d', i / 3), "
                             "'2024-03-05 10:00:00', i % 7, i * 0.01, i * 0.015, '王五' from n"));
    RowSet &rows = *grid->rowSet();
    const auto deleteRow = [&](int row) {
        rows.moveTo(row);
        click(statistics, "SpeedButton2");
    };
    const auto toEnd = [&] {
        QTest::keyClick(grid->view(), Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(rows.currentIndex(), rows.recordCount() - 1);
    };
    const QString all = QStringLiteral("1 = 1 order by 单号, 序号");
    const QString found = QStringLiteral("单号 like '%P000%' order by 序号");
    const struct
    {
        const char *what;
        std::function<void()> step;
        bool backwards;
        QString rowsWhere;
    } steps[] = {
        {"opened", [&] { statistics.reload(); }, false, all},
        {"opened, read from the end",
         [&] {
             statistics.reload();
             toEnd();
         },
         true, all},
        {"first of a page deleted", [&] { deleteRow(256); }, true, all},
        {"last of a page deleted", [&] { deleteRow(255); }, false, all},
        {"last row deleted",
         [&] {
             toEnd();
             deleteRow(rows.currentIndex());
         },
         false, all},
        {"searched", [&] { search(statistics, QStringLiteral("P000"), QString()); }, true, found},
        {"deleted in the search", [&] { deleteRow(1); }, false, found},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.what);
        step.step();
        const int column = rows.columnIndex(QStringLiteral("序号"));
        QStringList read;
        for (int i = 0; i < rows.recordCount(); ++i)
            read << rows.textAt(step.backwards ? rows.recordCount() - 1 - i : i, column);
        if (step.backwards)
            std::reverse(read.begin(), read.end());
        EXPECT_EQ(read, data.rows(QStringLiteral("select 序号 from xstj where ") + step.rowsWhere));
        const QString where = step.rowsWhere.section(QStringLiteral(" order by"), 0, 0);
        EXPECT_EQ(footer().mid(1),
                  data.rows(QStringLiteral(
                                "select round(sum(数量), 4), round(sum(金额), 4), round(sum(折后), 4) from xstj where ")
                            + where)
                      .front()
                      .split(QLatin1Char('|')));
    }
    EXPECT_EQ(rows.currentIndex(), 1); // the row after the deleted one
}

TEST_F(StatisticsTest, DetailListsTheLinesOfTheDoubleClickedTicketOrOfAllForAnEmptyList)
{
    store(SoldLine{T1, QStringLiteral("可乐"), 12.5, 2, 25, 22.5});
    store(SoldLine{T2, QStringLiteral("雪碧"), 3, 1, 3, 3});
    store(SoldLine{T1, QStringLiteral("面包"), 3, 1.5, 4.5, 4.5});
    store(SoldLine{QString(), QStringLiteral("无单号"), 1, 1, 1, 1});
    // Numbers are matched by containment: a longer number holding T2 counts, a part of it does not.
    store(SoldLine{T2 + QStringLiteral("-1"), QStringLiteral("长单号"), 1, 1, 1, 1});
    store(SoldLine{T2.mid(2), QStringLiteral("短单号"), 1, 1, 1, 1});

    QStringList sums;
    for (const auto &[row, number, names] :
         {std::tuple{2, T2, QStringList{QStringLiteral("雪碧"), QStringLiteral("长单号")}},
          std::tuple{3, T3, QStringList{}},
          std::tuple{1, T1, QStringList{QStringLiteral("可乐"), QStringLiteral("面包")}}}) {
        SCOPED_TRACE(QString(number).toStdString());
        runModal([this, row] { doubleClickCell(grid, row, 2); },
                 [&, this](QWidget *shown) {
                     EXPECT_EQ(shown, &detail);
                     EXPECT_EQ(detailNumberBox->text(), number);
                     EXPECT_EQ(columnTexts(*detailGrid->rowSet(), QStringLiteral("品名")), names);
                     sums.clear();
                     for (int column : {0, 4, 5, 6, 7})
                         sums << detailGrid->footerText(column);
                 });
    }
    // The last ticket's sums, but none of the prices.
    EXPECT_EQ(sums,
              (QStringList{QStringLiteral("合计"), QString(), QStringLiteral("3.5"), QStringLiteral("29.5"),
                           QStringLiteral("27")}));

    // An empty list's detail, each time, has every numbered line.
    search(statistics, QStringLiteral("nothing matches"), QString());
    for (int opening = 0; opening < 2; ++opening)
        runModal([this] { doubleClickCell(grid, grid->rowSet()->currentIndex(), 2); },
                 [this](QWidget *) {
                     EXPECT_TRUE(detailNumberBox->text().isEmpty());
                     EXPECT_EQ(detailGrid->rowSet()->recordCount(), 5);
                 });
}

// The detail window reprints as the statistics window does; without a ticket
// or its lines nothing prints.
TEST_F(StatisticsTest, ReprintNeedsATicketAndItsLines)
{
    search(statistics, QStringLiteral("nothing matches"), QString());
    click(statistics, "ReprintButton");
    search(statistics, QString(), QString()); // the current ticket has no lines
    click(statistics, "ReprintButton");
    sell(QStringLiteral("20240501000001"), QStringLiteral("2024-05-01 10:20:30"), QStringLiteral("小王"), 50, 16.25);
    session.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values "
                                "('20240501000001', '微信', 20), ('20240501000001', '现金', 13.75)"));
    detail.showTicket(QStringLiteral("20240501000001"));
    click(detail, "ReprintButton");

    ASSERT_EQ(responder.shown.size(), 2u);
    EXPECT_EQ(responder.shown[0].text, QStringLiteral("请先选择要重打的销售记录！"));
    EXPECT_EQ(responder.shown[1].text, QStringLiteral("单号为 %1 的销售明细已被删除，无法重打小票！").arg(T3));
    EXPECT_EQ(responder.shown[1].icon, Dialogs::Icon::Warning);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("20240501000001"));
    EXPECT_TRUE(kReprintMark.match(printer.jobs[0].textOf(QStringLiteral("ReprintMark"))).hasMatch());
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(ReceiptLayout::kSummaryNames1.change)), QStringLiteral("16.25"));
    // The parts as handed over: the cash with its change.
    const RecordingPrinter::Job &job = printer.jobs[0];
    QStringList parts;
    for (int i = 0; i < job.items.size(); ++i)
        if (job.items[i] == QStringLiteral("PaymentLine"))
            parts << job.texts[i];
    EXPECT_EQ(parts, (QStringList{"微信 20.00", "现金 30.00"}));
}

// 退货 (Ctrl+R) on the selected sale: a quantity beyond what was sold is
// refused in the open dialog, the return prints one 退货单 that names the sale,
// lists with its negative figures and in the sale's detail; a return cannot
// itself be returned.
TEST_F(StatisticsTest, ReturnPrintsItsSlipListsNegativeAndCannotBeReturnedAgain)
{
    const QString sold = QStringLiteral("20240501000001");
    sell(sold, QStringLiteral("2024-05-01 10:20:30"), QStringLiteral("小王"), 50, 16.25);
    statistics.reload();
    clickCell(grid, 4, 1);
    statistics.activateWindow(); // where the shortcut works
    ASSERT_TRUE(QTest::qWaitForWindowActive(&statistics));
    runModal(
        [this] {
            QTest::keyClick(&statistics, Qt::Key_R, Qt::ControlModifier);
            QTest::qWait(250); // a shortcut clicks its button 100 ms later
        },
        [this](QWidget *dialog) {
            auto *bananas = Find<QLineEdit>(dialog, "ReturnQuantity1");
            bananas->setText(QStringLiteral("3"));
            QTest::keyClick(bananas, Qt::Key_Return);
            EXPECT_TRUE(dialog->isVisible());
            bananas->setText(QStringLiteral("1"));
            QTest::keyClick(bananas, Qt::Key_Return);
        });
    ASSERT_EQ(responder.texts(), std::vector<QString>{QStringLiteral("“香蕉”最多还能退 2，不能退 3！")});
    ASSERT_EQ(printer.jobs.size(), 1u);
    const QString number = printer.jobs[0].name;
    EXPECT_EQ(printer.jobs[0].textOf(QStringLiteral("ReturnMark")), QStringLiteral("退货单 原单号 %1").arg(sold));
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(ReceiptLayout::kSummaryNames1.payable)),
              QStringLiteral("-11.25"));
    const int last = grid->rowSet()->recordCount() - 1;
    EXPECT_EQ(QStringList({grid->cellText(last, 1), grid->cellText(last, 5)}),
              QStringList({number, QStringLiteral("-11.25")}));
    detail.showTicket(sold);
    EXPECT_TRUE(Find<QLabel>(detail, "ReturnsLabel")->text().startsWith(QStringLiteral("退货：") + number));

    clickCell(grid, last, 1);
    click(statistics, "ReturnButton");
    EXPECT_EQ(responder.texts().back(), QStringLiteral("单号 %1 是退货单，退货单不能再退货！").arg(number));
}

using OldDataFileTest = RecordsTest;

// A backup of a file written before sales kept their payments and deletions:
// it is still a data file, a restore of it gains the tables, columns and
// indexes added since, and its sales reprint with the paid and change lines
// left blank.
TEST_F(OldDataFileTest, IsUpgradedAndReprintsWithBlankPayment)
{
    TempData backup;
    {
        Session old;
        old.setConnectionString(backup.file());
        for (const char *table : {"spxx", "xstj", "xsmx", "zfmx", "scjl"})
            old.exec(QStringLiteral("drop table %1").arg(QString::fromUtf8(table)));
        old.exec(QStringLiteral("create table spxx (\"品名\" TEXT, \"单价\" REAL, \"备注\" TEXT)"));
        old.exec(QStringLiteral("insert into spxx values ('苹果', 12.5, '')"));
        old.exec(QStringLiteral("create table xstj (\"序号\" INTEGER PRIMARY KEY AUTOINCREMENT, \"单号\" TEXT, "
                                "\"时间\" DATETIME, \"数量\" REAL, \"金额\" REAL, \"折后\" REAL, \"收银员\" TEXT)"));
        old.exec(QStringLiteral("create table xsmx (\"序号\" INTEGER PRIMARY KEY AUTOINCREMENT, \"单号\" TEXT, "
                                "\"时间\" DATETIME, \"客户\" TEXT, \"电话\" TEXT, \"地址\" TEXT, \"品名\" TEXT, "
                                "\"单价\" REAL, \"数量\" REAL, \"金额\" REAL, \"折后\" REAL)"));
        old.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
                                "values ('20230101000001', '2023-01-01 09:00:00', 1, 12.5, 11.25, '老李')"));
        old.exec(QStringLiteral("insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                                "values ('20230101000001', '2023-01-01 09:00:00', '苹果', 12.5, 1, 12.5, 11.25)"));
    }
    EXPECT_NO_THROW(DataFile::Validate(backup.file()));
    session.open();
    BackupRestore::Restore(session, backup.file());

    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
    statistics.reload();
    QTest::mouseClick(Find<QToolButton>(statistics, "ReprintButton"), Qt::LeftButton);

    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(ReceiptLayout::kSummaryNames1.paid)), QString());
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(ReceiptLayout::kSummaryNames1.change)), QString());
    EXPECT_EQ(data.count(QStringLiteral(
                  "sqlite_master where name in ('xstj_time', 'xstj_number', 'zfmx', "
                  "'zfmx_number', 'scjl', 'scjl_time', 'xsmx_original', 'spxx_barcode', 'spxx_short_code')")),
              9);
    EXPECT_EQ(data.count(QStringLiteral("spxx where 条码 is null and 简码 is null")), 1);
    for (const char *table : {"xstj", "xsmx"})
        EXPECT_EQ(data.count(QStringLiteral("%1 where 原单号 is null").arg(table)), 1);
    // The list and its export keep their columns, then say the payment was not recorded.
    const RowSet &listed = *Find<DataGrid>(&statistics, "DBGridEh1")->rowSet();
    EXPECT_EQ(listed.columnCount(), 8);
    EXPECT_EQ(listed.textAt(0, 7), QStringLiteral("未记录"));
}

// The listed span, its last day whole; its days without sales are zero. Sales,
// returns and their net apart; each payment method's amount.
TEST_F(StatisticsTest, DayEndReportAndChartCoverTheListedSpanAndSaveAsPdfAndPng)
{
    sell(QStringLiteral("20240501000001"), QStringLiteral("2024-05-01 00:00:00"), QStringLiteral("小王"), 50, 16.25);
    sell(QStringLiteral("20240502000001"), QStringLiteral("2024-05-02 23:59:59"), QStringLiteral("小李"), 40, 6.25);
    sell(QStringLiteral("20240503000001"), QStringLiteral("2024-05-03 00:00:00"), QStringLiteral("小李"), 40, 6.25);
    session.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) values "
                                "('20240502000002', '2024-05-02 12:00:00', -1, -12.5, -11.25, '小王', "
                                "'20240501000001')"));
    session.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values ('20240501000001', '微信', 33.75), "
                                "('20240502000002', '现金', -11.25)"));
    search(statistics, QString(), QString(), {2024, 4, 30}, {2024, 5, 2});
    QTemporaryDir out;
    responder.fileAnswers = {out.filePath(QStringLiteral("日结")), out.filePath(QStringLiteral("图表.png"))};

    runModal([&] { click(statistics, "DayEndButton"); },
             [&](QWidget *preview) {
                 QTest::mouseClick(Find<QPushButton>(preview, "PrintButton"), Qt::LeftButton);
                 QTest::mouseClick(Find<QPushButton>(preview, "PdfButton"), Qt::LeftButton);
             });
    std::map<QString, QList<qreal>> bars; // by label
    std::map<QString, QList<QPointF>> lines; // by name
    runModal([&] { click(statistics, "ChartButton"); },
             [&](QWidget *chartWindow) {
                 for (QAbstractSeries *series : Find<QChartView>(chartWindow, "ChartView")->chart()->series()) {
                     for (QBarSet *set : qobject_cast<QBarSeries *>(series)
                              ? qobject_cast<QBarSeries *>(series)->barSets()
                              : QList<QBarSet *>{})
                         for (int i = 0; i < set->count(); ++i)
                             bars[set->label()] << set->at(i);
                     if (auto *line = qobject_cast<QLineSeries *>(series))
                         lines[line->name()] = line->points();
                 }
                 QTest::mouseClick(Find<QPushButton>(chartWindow, "SaveButton"), Qt::LeftButton);
             });

    ASSERT_EQ(printer.jobs.size(), 1u);
    const QStringList &texts = printer.jobs[0].texts;
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("日结报表"));
    // Two tickets of quantity 3 and 33.75 each and a return; the products, largest first.
    for (const char *expected :
         {"销售报表 2024-04-30 至 2024-05-02", "自 2024-04-30 00:00:00", "至 2024-05-02 23:59:59",
          "销售：2 单，折后 67.5", "退货：1 单，折后 -11.25", "单数：3", "数量：5", "金额：62.5", "折后：56.25",
          "微信：33.75", "现金：-11.25", "未记录：33.75", "删除：0 单，0 行，折后 0", "收银员 小李：1 单，数量 3",
          "    金额 37.5，折后 33.75"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << texts.join(u'|').toStdString();
    EXPECT_EQ(texts.mid(texts.indexOf(QStringLiteral("香蕉")), 4),
              (QStringList{QStringLiteral("香蕉"), QStringLiteral("4"), QStringLiteral("45"), QStringLiteral("苹果")}));
    EXPECT_GT(QFileInfo(out.filePath(QStringLiteral("日结.pdf"))).size(), 0);
    EXPECT_EQ(bars,
              (std::map<QString, QList<qreal>>{{QStringLiteral("销售"), {0, 33.75, 33.75}},
                                               {QStringLiteral("退货"), {0, 0, -11.25}}}));
    EXPECT_EQ(lines,
              (std::map<QString, QList<QPointF>>{{QStringLiteral("净额"), {{0, 0}, {1, 33.75}, {2, 22.5}}},
                                                 {QStringLiteral("单数"), {{0, 0}, {1, 1}, {2, 2}}}}));
    EXPECT_FALSE(QImage(out.filePath(QStringLiteral("图表.png"))).isNull());
}

// 日结 covers today unless days are listed, and its title names them. The
// preview shows the page as it prints, a long name wrapped on it without
// running into its figures, on one page cut after the last line.
TEST_F(StatisticsTest, DayEndCoversTodayUnlessDaysAreListedAndPreviewsThePrintedPage)
{
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    for (const char *time : {"00:00:00", "12:00:00", "23:59:59"})
        sell(QString::fromUtf8(time), today + u' ' + QString::fromUtf8(time), QStringLiteral("小王"), 50, 16.25);
    store(SoldLine{QStringLiteral("12:00:00"), QStringLiteral("乐事薯片原味大包装家庭分享装（限时特惠）135g"), 1, 1, 1,
                   1});
    const struct
    {
        const char *what;
        std::function<void()> list;
        QString title;
        const char *tickets;
    } cases[] = {
        {"all listed", [&] { statistics.reload(); }, QStringLiteral("日结报表 ") + today, "单数：3"},
        {"a number searched", [&] { search(statistics, T1, QString()); }, QStringLiteral("日结报表 ") + today,
         "单数：3"},
        {"one day listed",
         [&] {
             search(statistics, QString(), QString(), {2024, 3, 2}, {2024, 3, 2});
         },
         QStringLiteral("日结报表 2024-03-02"), "单数：2"},
    };
    QTemporaryDir out;
    const QString saved = out.filePath(QStringLiteral("日结.pdf"));
    const QString previewed = out.filePath(QStringLiteral("preview.pdf"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.list();
        responder.fileAnswers = {saved};
        runModal([&] { click(statistics, "DayEndButton"); },
                 [&](QWidget *preview) {
                     QTest::mouseClick(Find<QPushButton>(preview, "PrintButton"), Qt::LeftButton);
                     QTest::mouseClick(Find<QPushButton>(preview, "PdfButton"), Qt::LeftButton);
                     auto *view = preview->findChild<ReportView *>();
                     QPdfWriter writer(previewed);
                     writer.setResolution(96);
                     writer.setPageSize(QPageSize(QSizeF(view->size()), QPageSize::Point));
                     writer.setPageMargins({});
                     QPainter painter(&writer);
                     view->render(&painter);
                 });
        const QStringList &texts = printer.jobs.back().texts;
        EXPECT_EQ(texts.front(), c.title);
        EXPECT_TRUE(texts.contains(QString::fromUtf8(c.tickets))) << texts.join(u'|').toStdString();
        EXPECT_EQ(PdfText::Comparable(PdfText::Text(previewed)), PdfText::Comparable(PdfText::Text(saved)));
        EXPECT_EQ(PdfText::PageCount(saved), 1);
        EXPECT_EQ(PdfText::CrowdedWords(saved), QStringList());
        double lowest = 0;
        for (const PdfText::Word &word : PdfText::Words(saved))
            lowest = std::max(lowest, word.box.bottom());
        const double pointsPerMm = 72 / 25.4;
        EXPECT_LT(PdfText::PageSizeMm(saved).height() * pointsPerMm - lowest,
                  (ReceiptLayout::kPaperMargins.bottom() + 5) * pointsPerMm);
    }
}

// Each axis ticks at 1, 2 or 5 × 10ⁿ from at or below its lowest value to
// above its highest; the count of tickets at whole numbers.
TEST(ChartScaleTest, TicksAtRoundValuesAroundTheValues)
{
    const struct
    {
        double low, high;
        bool whole;
        const char *expected; // low high step ticks decimals
    } cases[] = {
        {0, 75.7, false, "0 80 20 5 0"},  {-11.25, 33.75, false, "-20 40 10 7 0"},
        {0, 0.3, false, "0 0.4 0.1 5 1"}, {0, 12345, false, "0 15000 5000 4 0"},
        {0, 0, false, "0 1.2 0.2 7 1"},   {0, 1, true, "0 2 1 3 0"},
        {0, 0, true, "0 2 1 3 0"},        {0, 37, true, "0 40 10 5 0"},
    };
    for (const auto &c : cases) {
        const ChartScale scale = ScaleFor(c.low, c.high, c.whole);
        EXPECT_EQ(QStringLiteral("%1 %2 %3 %4 %5")
                      .arg(scale.low, 0, 'g', 6)
                      .arg(scale.high, 0, 'g', 6)
                      .arg(scale.step, 0, 'g', 6)
                      .arg(scale.tickCount())
                      .arg(scale.decimals()),
                  QString::fromUtf8(c.expected))
            << c.low << ".." << c.high;
    }
}

// A single day's net and ticket count, drawn: each line's colour is in the plot.
TEST(SalesChartTest, ASingleDayShowsBothLines)
{
    SalesChartWindow chart({{QDate(2024, 5, 1), 33.75, 0, 33.75, 1}});
    chart.show();
    QChartView *view = Find<QChartView>(&chart, "ChartView");
    const QImage drawn = view->grab().toImage();
    // Within the plot: the legend shows every series' colour whatever is drawn.
    const QRect plot = view->mapFromScene(view->chart()->plotArea()).boundingRect();
    for (QAbstractSeries *series : view->chart()->series()) {
        const auto *line = qobject_cast<QLineSeries *>(series);
        if (!line)
            continue;
        int near = 0;
        for (int y = plot.top(); y <= plot.bottom(); ++y)
            for (int x = plot.left(); x <= plot.right(); ++x) {
                const QColor pixel = drawn.pixelColor(x, y);
                near += std::abs(pixel.red() - line->color().red()) + std::abs(pixel.green() - line->color().green())
                        + std::abs(pixel.blue() - line->color().blue())
                    < 30;
            }
        EXPECT_GT(near, 10) << line->name().toStdString();
    }
}

} // namespace
