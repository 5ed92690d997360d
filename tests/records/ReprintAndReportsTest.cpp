#include "data/store/DataFile.h"
#include "grid/DataGrid.h"
#include "receipts/ReceiptLayoutParts.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"
#include "tests/records/RecordsFixture.h"

#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QImage>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

const QRegularExpression kMark(QStringLiteral("^重打 \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$"));

class ReprintAndReportsTest : public RecordsTest
{
protected:
    void sell(const QString &number, const QString &time, const QString &cashier, double paid, double change)
    {
        store(Ticket{number, time, 3, 37.5, 33.75, cashier});
        data.exec(
            QStringLiteral("update xstj set 支付 = %1, 找零 = %2 where 单号 = '%3'").arg(paid).arg(change).arg(number));
        store(SoldLine{number, QStringLiteral("苹果"), 12.5, 1, 12.5, 11.25});
        store(SoldLine{number, QStringLiteral("香蕉"), 12.5, 2, 25, 22.5});
    }

    void click(QWidget *window, const char *button)
    {
        QTest::mouseClick(Find<QToolButton>(window, button), Qt::LeftButton);
    }

    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
};

// The detail window reprints as the statistics window does; without a ticket
// or its lines nothing prints.
TEST_F(ReprintAndReportsTest, ReprintNeedsATicketAndItsLines)
{
    statistics.reload();
    click(&statistics, "ReprintButton");
    store(Ticket{QStringLiteral("20240501000002"), QStringLiteral("2024-05-01 11:00:00"), 1, 2, 2,
                 QStringLiteral("小王")});
    statistics.reload();
    click(&statistics, "ReprintButton");
    sell(QStringLiteral("20240501000001"), QStringLiteral("2024-05-01 10:20:30"), QStringLiteral("小王"), 50, 16.25);
    detail.showTicket(QStringLiteral("20240501000001"));
    click(&detail, "ReprintButton");

    ASSERT_EQ(responder.shown.size(), 2u);
    EXPECT_EQ(responder.shown[0].text, QStringLiteral("请先选择要重打的销售记录！"));
    EXPECT_EQ(responder.shown[1].text, QStringLiteral("单号为 20240501000002 的销售明细已被删除，无法重打小票！"));
    EXPECT_EQ(responder.shown[1].icon, Dialogs::Icon::Warning);
    ASSERT_EQ(printer.jobs.size(), 1u);
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("20240501000001"));
    EXPECT_TRUE(kMark.match(printer.jobs[0].textOf(QStringLiteral("ReprintMark"))).hasMatch());
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(ReceiptLayout::kSummaryNames1.change)), QStringLiteral("16.25"));
}

// A file written before sales kept the payment: it is still a data file, gains
// the columns and the time index when the session opens, and its sales reprint
// with the paid and change lines left blank.
TEST_F(ReprintAndReportsTest, OldDataFileIsUpgradedAndReprintsWithBlankPayment)
{
    {
        Session old;
        old.setConnectionString(data.file());
        old.exec(QStringLiteral("drop table xstj"));
        old.exec(QStringLiteral("create table xstj (\"序号\" INTEGER PRIMARY KEY AUTOINCREMENT, \"单号\" TEXT, "
                                "\"时间\" DATETIME, \"数量\" REAL, \"金额\" REAL, \"折后\" REAL, \"收银员\" TEXT)"));
        old.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
                                "values ('20230101000001', '2023-01-01 09:00:00', 1, 12.5, 11.25, '老李')"));
        old.exec(QStringLiteral("insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                                "values ('20230101000001', '2023-01-01 09:00:00', '苹果', 12.5, 1, 12.5, 11.25)"));
    }
    EXPECT_NO_THROW(DataFile::Validate(data.file()));

    statistics.reload();
    click(&statistics, "ReprintButton");

    ASSERT_EQ(printer.jobs.size(), 1u);
    const ReceiptLayout::SummaryNames &summary = ReceiptLayout::kSummaryNames1;
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(summary.paid)), QString());
    EXPECT_EQ(printer.jobs[0].textOf(QString::fromUtf8(summary.change)), QString());
    EXPECT_EQ(data.scalar(QStringLiteral("select 支付 is null and 找零 is null from xstj")), QStringLiteral("1"));
    EXPECT_EQ(data.count(QStringLiteral("sqlite_master where name in ('xstj_time', 'xstj_number')")), 2);
    // The list and its export keep their columns.
    EXPECT_EQ(Find<DataGrid>(&statistics, "DBGridEh1")->rowSet()->columnCount(), 7);
}

// The listed span, its last day whole; its days without sales are zero.
TEST_F(ReprintAndReportsTest, DayEndReportAndChartCoverTheListedSpanAndSaveAsPdfAndPng)
{
    sell(QStringLiteral("20240501000001"), QStringLiteral("2024-05-01 00:00:00"), QStringLiteral("小王"), 50, 16.25);
    sell(QStringLiteral("20240502000001"), QStringLiteral("2024-05-02 23:59:59"), QStringLiteral("小李"), 40, 6.25);
    sell(QStringLiteral("20240503000001"), QStringLiteral("2024-05-03 00:00:00"), QStringLiteral("小李"), 40, 6.25);
    statistics.show();
    search(statistics, QString(), QString(), {2024, 4, 30}, {2024, 5, 2});
    QTemporaryDir out;
    responder.fileAnswers = {out.filePath(QStringLiteral("日结")), out.filePath(QStringLiteral("图表.png"))};

    runModal([&] { click(&statistics, "DayEndButton"); },
             [&](QWidget *preview) {
                 QTest::mouseClick(Find<QPushButton>(preview, "PrintButton"), Qt::LeftButton);
                 QTest::mouseClick(Find<QPushButton>(preview, "PdfButton"), Qt::LeftButton);
             });
    QList<qreal> sales;
    QList<QPointF> tickets;
    runModal([&] { click(&statistics, "ChartButton"); },
             [&](QWidget *chartWindow) {
                 for (QAbstractSeries *series : Find<QChartView>(chartWindow, "ChartView")->chart()->series()) {
                     if (auto *bars = qobject_cast<QBarSeries *>(series))
                         for (int i = 0; i < bars->barSets().front()->count(); ++i)
                             sales << bars->barSets().front()->at(i);
                     if (auto *line = qobject_cast<QLineSeries *>(series))
                         tickets = line->points();
                 }
                 QTest::mouseClick(Find<QPushButton>(chartWindow, "SaveButton"), Qt::LeftButton);
             });

    ASSERT_EQ(printer.jobs.size(), 1u);
    const QStringList &texts = printer.jobs[0].texts;
    EXPECT_EQ(printer.jobs[0].name, QStringLiteral("日结报表"));
    // Two tickets of quantity 3 and 33.75 each; the products, largest first.
    for (const char *expected : {"自 2024-04-30 00:00:00", "至 2024-05-02 23:59:59", "单数：2", "数量：6", "金额：75",
                                 "折后：67.5", "收银员 小李：1 单，数量 3", "    金额 37.5，折后 33.75"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected)))
            << expected << " not in " << texts.join(u'|').toStdString();
    EXPECT_EQ(texts.mid(texts.indexOf(QStringLiteral("香蕉")), 4),
              (QStringList{QStringLiteral("香蕉"), QStringLiteral("4"), QStringLiteral("45"), QStringLiteral("苹果")}));
    EXPECT_GT(QFileInfo(out.filePath(QStringLiteral("日结.pdf"))).size(), 0);
    EXPECT_EQ(sales, (QList<qreal>{0, 33.75, 33.75}));
    EXPECT_EQ(tickets, (QList<QPointF>{{0, 0}, {1, 1}, {2, 1}}));
    EXPECT_FALSE(QImage(out.filePath(QStringLiteral("图表.png"))).isNull());
}

} // namespace
