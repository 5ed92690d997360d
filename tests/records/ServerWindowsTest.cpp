// The records windows show the same on a shop's server as on a counter's own
// file holding the same data: the same rows in the same order, the same texts
// and sums, the same search results (case, "%", "_" and "\" included).
#include "tests/fileformats/ReadBack.h"
#include "tests/records/RecordsFixture.h"
#include "tests/support/TempPostgres.h"

#include "app/Application.h"
#include "base/AppError.h"
#include "data/shop/Catalogue.h"
#include "data/shop/DayEnd.h"
#include "data/store/RowSet.h"
#include "data/store/ServerSettings.h"
#include "data/sync/ServerImport.h"
#include "grid/DataGrid.h"
#include "records/CatalogueWindow.h"
#include "records/DeletionJournalWindow.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <functional>
#include <string>

namespace {

// A shop's file: a catalogue; three hundred sales over five days, stored
// neither in number nor in time order, one on a day's last second, each with
// a line or three; and a few odd ones.
void FillShop(const TempData &file)
{
    file.exec(QStringLiteral(
        "insert into spxx (品名, 单价, 备注) values ('可乐', 3, '冰'), ('百事可乐', 3.5, ''), ('100%果汁', 6.5, null), "
        "('100果汁', 6, '%'), ('a_b', 1.25, null), ('axb', 1.1, '_'), ('Apple', 4, 'A'), ('apple', 4.2, 'a'), "
        "('APPLE', null, null), ('茶_绿', 5, null), ('绿茶', 4.5, '热'), ('éclair', 8, null), ('Éclair', 8.8, null), "
        "(null, 2, '没有品名'), ('矿泉水', 1, '')"));
    // Two short codes alike, and most products without a barcode.
    file.exec(QStringLiteral("update spxx set 条码 = case 品名 when '可乐' then '6901234567892' when '矿泉水' then "
                             "'00123' else '' end, 简码 = case 品名 when '绿茶' then 'lc' when '茶_绿' then 'clv' "
                             "when '可乐' then 'kl' when '百事可乐' then 'kl' end"));
    file.exec(QStringLiteral(
        "with recursive n(i) as (select 0 union all select i + 1 from n where i < 299), "
        "cashier(k, name) as (values (0, '张三'), (1, '李四'), (2, 'Alice'), (3, 'alice'), (4, 'ALICE'), "
        "(5, 'bob_1'), (6, 'bobx1'), (7, '50%off'), (8, '5000off'), (9, 'Émile'), (10, 'émile'), (11, '王五')), "
        "sale(i, at) as (select i, i * 37 % 300 from n), "
        "timed(i, time) as (select i, datetime('2026-12-01', '+' || (at % 5) || ' days', '+' || "
        "(case when at = 1 then 86399 else at * 613 % 86400 end) || ' seconds') from sale) "
        "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零) "
        "select strftime('%Y%m%d%H%M%S', time) || '0' || (i % 9 + 1), time, i % 4 + 1, i % 50 + 0.35, "
        "(i % 50 + 0.35) * 0.9, name, 100, 100 - (i % 50 + 0.35) * 0.9 from timed join cashier on k = i % 12"));
    // Numbers that differ in case or length only, an empty one, and an old file's sale without number or cashier.
    file.exec(QStringLiteral(
        "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) values ('X12', '2026-12-03 12:00:00', 1, 3, 2.7, "
        "'alice'), ('X1', '2026-12-03 12:00:01', 2, 6.5, 5.85, 'bob\\'), ('x1', '2026-12-03 12:00:02', 1, 1.1, 0.99, "
        "'张三'), ('', '2026-12-04 08:00:00', 3, 9, 8.1, '张三'), (null, '2026-12-04 08:00:01', 1, 2, 1.8, null)"));
    file.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) "
                             "values ('R1', '2026-12-03 12:30:00', -2, -6.5, -5.85, 'alice', 'X1')"));
    file.exec(QStringLiteral(
        "insert into xsmx (单号, 时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后) "
        "select 单号, 时间, case when k % 2 then '李先生' else '' end, '', '', 品名, price, q, price * q, "
        "price * q * 0.9 from (select t.单号, t.时间, t.rowid as k, p.品名, ifnull(p.单价, 1.1) as price, "
        "case when (t.rowid + j) % 7 = 0 then 0.5 else (t.rowid + j) % 4 + 1 end as q from xstj t "
        "join (select 0 as j union all select 1 union all select 2) on j <= t.rowid % 3 "
        "join spxx p on p.rowid = (t.rowid + j * 5) % 15 + 1 where t.单号 <> '')"));
    // Over a page of deletions, twenty at each time, stored neither in time order nor against it.
    file.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 300) "
                             "insert into scjl (时间, 收银员, 表名, 单号, 内容) select datetime('2026-12-01', '+' || "
                             "(i % 3) || ' days', '+' || (i % 5) || ' hours'), '张三', case i % 2 when 0 then 'xsmx' "
                             "else 'zfmx' end, 'D' || i, '品名=可乐; 数量=' || i from n"));
}

struct Shop
{
    Shop()
    {
        FillShop(file);
        Session importing;
        importing.setConnectionString(file.file());
        importing.useServer({url, 1});
        ImportToServer(importing);
        // Payments, a few in two ways, and deletions, written alike on both.
        for (const char *sql :
             {"insert into zfmx (单号, 方式, 金额) select 单号, case when 序号 % 3 = 0 then '微信' else '现金' end, "
              "折后 - 1 from xstj where 序号 % 5 <> 0 or 单号 = 'R1'",
              "insert into zfmx (单号, 方式, 金额) select 单号, '支付宝', 1 from xstj where 序号 % 5 = 1",
              "insert into scjl (时间, 收银员, 表名, 单号, 内容) values ('2026-12-02 09:00:00', 'alice', 'xstj', "
              "'D1', '单号=D1; 折后=7.5'), ('2026-12-02 09:00:00', 'alice', 'xsmx', 'D1', '折后=7.5')"}) {
            file.exec(QString::fromUtf8(sql));
            importing.in(Store::Shared).exec(QString::fromUtf8(sql));
        }
    }
    TempData file;
    QString url = SharedPostgres().newDatabase();
};

struct Counter
{
    Counter(const QString &fileName, const QString &serverUrl = {})
    {
        session.setConnectionString(fileName);
        if (!serverUrl.isEmpty())
            session.useServer({serverUrl, 2});
        session.open();
    }
    Session session;
    RecordingPrinter printer;
    SaleDetailWindow detail{session, printer};
    StatisticsWindow statistics{session, detail, printer};
    CatalogueWindow catalogue{session};
    DeletionJournalWindow journal{session};
    DataGrid *ticketGrid = Find<DataGrid>(statistics, "DBGridEh1");
    DataGrid *lineGrid = Find<DataGrid>(detail, "DBGridEh1");
    DataGrid *productGrid = Find<DataGrid>(catalogue, "DBGridEh1");
    DataGrid *journalGrid = Find<DataGrid>(journal, "DBGridEh1");
};

// What a grid shows: its row set's columns and their kinds, every cell's text, the footer.
QStringList Shown(const DataGrid *grid)
{
    const RowSet &rows = *grid->rowSet();
    QStringList shown;
    for (int c = 0; c < rows.columnCount(); ++c)
        shown << rows.columnName(c) + QString::number(int(rows.columnKind(c)));
    const int columns = int(grid->gridColumns().size());
    for (int row = 0; row < rows.recordCount(); ++row)
        for (int c = 0; c < columns; ++c)
            shown << grid->cellText(row, c);
    for (int c = 0; grid->footerVisible() && c < columns; ++c)
        shown << grid->footerText(c);
    return shown;
}

// Every figure of a day-end report and a chart. The engines add up in their
// own order and way, so sums may differ in the last bits: twelve digits tell.
QStringList Described(const DayEnd::Figures &figures, const std::vector<DayEnd::DaySales> &days)
{
    const auto number = [](double value) { return QString::number(value, 'g', 12); };
    const auto totals = [&](const DayEnd::Totals &t) {
        return QStringList{QString::number(t.tickets), number(t.quantity), number(t.amount), number(t.discounted)};
    };
    QStringList described = totals(figures.all)
        << totals(figures.sales) << totals(figures.returns) << figures.firstTime << figures.lastTime;
    for (const MethodTotal &method : figures.methods)
        described << method.method << method.amount.displayText();
    described << QString::number(figures.deleted.tickets) << QString::number(figures.deleted.lines)
              << figures.deleted.discounted.displayText();
    for (const DayEnd::CashierTotals &cashier : figures.cashiers)
        described << cashier.cashier << totals(cashier.totals);
    for (const DayEnd::ProductSold &product : figures.products)
        described << product.name << number(product.quantity) << number(product.discounted);
    for (const DayEnd::DaySales &day : days)
        described << day.day.toString(Qt::ISODate) << number(day.sales) << number(day.returns) << number(day.net)
                  << QString::number(day.tickets);
    return described;
}

class ServerWindowsTest : public RecordsTest
{
protected:
    static void SetUpTestSuite() { shop = new Shop; }
    static void TearDownTestSuite()
    {
        delete shop;
        shop = nullptr;
    }

    static Shop *shop;
    Counter local{shop->file.file()};
    Counter server{data.file(), shop->url}; // its own file keeps only its ticket and settings
};

Shop *ServerWindowsTest::shop = nullptr;

TEST_F(ServerWindowsTest, EveryListSearchSumAndExportIsTheSame)
{
    int compared = 0;
    const auto same = [&](const std::string &what, const std::function<QStringList(Counter &)> &show) {
        SCOPED_TRACE(what);
        const QStringList shown = show(local);
        compared += int(shown.size());
        EXPECT_EQ(show(server), shown);
    };
    same("catalogue", [](Counter &c) {
        c.catalogue.reload();
        QStringList shown = Shown(c.productGrid) << Catalogue::ProductNames(c.session);
        for (const char *picked : {"可乐", "果汁", "%", "_", "apple", "APPLE", "Éclair", "绿", "没有"})
            shown << Catalogue::PriceOf(c.session, QString::fromUtf8(picked)).value_or(QStringLiteral("none"));
        for (const char *text : {"6901234567892", "00123", "lc", "kl", "绿茶", "", "123", "Apple"}) {
            const std::optional<Catalogue::Product> found = Catalogue::Find(c.session, QString::fromUtf8(text));
            shown << (found ? found->name + found->price : QStringLiteral("none"));
        }
        // A barcode is held once; products without one are many.
        for (const char *barcode : {"00123", ""})
            try {
                c.session.in(Store::Shared)
                    .exec(QStringLiteral("update spxx set 条码 = ?1 where 品名 = '百事可乐'"), {barcode});
                shown << QStringLiteral("stored");
            } catch (const DataError &) {
                shown << QStringLiteral("refused");
            }
        EXPECT_EQ(shown.mid(shown.size() - 2), (QStringList{QStringLiteral("refused"), QStringLiteral("stored")}));
        return shown;
    });
    same("all tickets", [](Counter &c) {
        c.statistics.reload();
        c.statistics.show();
        return Shown(c.ticketGrid);
    });
    // Over a page long: read from the last row up, the pages come by key backwards.
    same("all tickets from the end", [](Counter &c) {
        c.statistics.reload();
        QTest::keyClick(c.ticketGrid->view(), Qt::Key_End, Qt::ControlModifier);
        QStringList shown;
        for (int row = c.ticketGrid->rowSet()->currentIndex(); row >= 0; --row)
            shown << c.ticketGrid->cellText(row, 1) + c.ticketGrid->cellText(row, 7);
        return shown;
    });
    const std::pair<const char *, const char *> searches[] = {
        {"", ""},      {"X1", ""},  {"x1", ""},     {"_", ""},   {"%", ""},     {"20261203", ""}, {"1203", "张"},
        {"", "alice"}, {"", "ALI"}, {"", "bob_1"},  {"", "50%"}, {"", "émile"}, {"", "Émile"},    {"", "É"},
        {"0_", "E"},   {"'", ""},   {"", "无此人"}, {"", "\\"},  {"", "!"},
    };
    for (const auto &[number, cashier] : searches)
        same(std::string(number) + "|" + cashier, [number, cashier](Counter &c) {
            search(c.statistics, QString::fromUtf8(number), QString::fromUtf8(cashier));
            return Shown(c.ticketGrid);
        });
    const std::pair<QDate, QDate> spans[] = {{QDate(2026, 12, 1), QDate(2026, 12, 1)},
                                             {QDate(2026, 12, 2), QDate(2026, 12, 3)},
                                             {QDate(2026, 11, 30), QDate(2026, 12, 5)},
                                             {QDate(2026, 12, 6), QDate(2026, 12, 9)}};
    for (const auto &[from, to] : spans)
        same("from " + from.toString(Qt::ISODate).toStdString(), [from, to](Counter &c) {
            search(c.statistics, QString(), QString(), from, to);
            return Shown(c.ticketGrid);
        });

    // Newest first, over a page and within a page: the rows plain SQL reads in
    // that order, read from the first row down and from the last row up.
    for (const auto &[from, to] : {spans[2], std::pair{QDate(2026, 12, 2), QDate(2026, 12, 2)}})
        same("deletions from " + from.toString(Qt::ISODate).toStdString(), [from, to](Counter &c) {
            RowSet &rows = *c.journalGrid->rowSet();
            const auto listed = [&](bool fromEnd) {
                Find<QDateEdit>(c.journal, "FromDate")->setDate(from);
                Find<QDateEdit>(c.journal, "ToDate")->setDate(to);
                QTest::mouseClick(Find<QToolButton>(c.journal, "SearchButton"), Qt::LeftButton);
                if (fromEnd)
                    QTest::keyClick(c.journalGrid->view(), Qt::Key_End, Qt::ControlModifier);
                QStringList numbers;
                for (int i = 0; i < rows.recordCount(); ++i)
                    numbers << rows.textAt(fromEnd ? rows.recordCount() - 1 - i : i,
                                           rows.columnIndex(QStringLiteral("序号")));
                if (fromEnd)
                    std::reverse(numbers.begin(), numbers.end());
                return numbers;
            };
            QStringList plain;
            Statement read(c.session.in(Store::Shared),
                           QStringLiteral("select 序号 from scjl where 时间 >= '%1' and 时间 < '%2' "
                                          "order by 时间 desc, 序号 desc")
                               .arg(from.toString(Qt::ISODate), to.addDays(1).toString(Qt::ISODate)));
            while (read.step())
                plain << read.value(0).toString();
            EXPECT_EQ(listed(true), plain);
            EXPECT_EQ(listed(false), plain);
            return Shown(c.journalGrid);
        });

    QStringList numbers = {QStringLiteral("X1"), QStringLiteral("x1"), QString(), QStringLiteral("2026120")};
    search(local.statistics, QString(), QString());
    for (int row = 0; row < local.ticketGrid->rowSet()->recordCount(); row += 23)
        numbers << local.ticketGrid->cellText(row, 1);
    for (const QString &number : numbers)
        same("lines of " + number.toStdString(), [number](Counter &c) {
            c.detail.showTicket(number);
            return Shown(c.lineGrid);
        });

    std::vector<TicketFilter> filters = {TicketFilter::All(),
                                         TicketFilter::Between(QDate(2026, 12, 2), QDate(2026, 12, 3)),
                                         TicketFilter::Between(QDate(2026, 11, 28), QDate(2026, 12, 8)),
                                         TicketFilter::Matching(QStringLiteral("x1"), QString())};
    for (const char *cashier : {"", "alice", "_", "50%", "É"})
        filters.push_back(TicketFilter::Matching(QString(), QString::fromUtf8(cashier)));
    for (const TicketFilter &filter : filters)
        same("day-end figures", [filter](Counter &c) {
            return Described(DayEnd::Sum(c.session, filter), DayEnd::SalesPerDay(c.session, filter));
        });

    QTemporaryDir out;
    same("export", [&](Counter &c) {
        const QString file = out.filePath(&c == &local ? QStringLiteral("local.xls") : QStringLiteral("server.xls"));
        responder.fileAnswers = {file};
        search(c.statistics, QString(), QString());
        QTest::mouseClick(Find<QToolButton>(c.statistics, "SpeedButton1"), Qt::LeftButton);
        QStringList cells;
        const std::vector<ReadSheet> book = ReadWorkbook(file);
        for (const QStringList &row : book.front().rows)
            cells << row;
        return cells;
    });
    EXPECT_GT(compared, 20000); // the cases found something to compare
    EXPECT_EQ(responder.texts(), std::vector<QString>(2, QStringLiteral("成功导出全部数据!")));
}

using DeletionTest = RecordsTest;

// Each way of deleting, on a counter's own file and on a shop's server: a row
// is first copied whole into the journal of the store it was in, a sale takes
// its payments with it. The journal window lists them by day and deletes none.
TEST_F(DeletionTest, EachWayOfDeletingJournalsTheRowsWhereTheyWere)
{
    const auto number = [](int n) { return QStringLiteral("2026121000000%1").arg(n); };
    const auto ctrlDelete = [](DataGrid *grid) { QTest::keyClick(grid->view(), Qt::Key_Delete, Qt::ControlModifier); };
    data.exec(QStringLiteral("update dynr set 收银员 = '小王'"));
    data.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零) values "
                             "('20261210000001', '2026-12-10 09:00:00', 2, 10.126, 9.5, '张三', 10, 0.5), "
                             "('20261210000002', '2026-12-10 09:01:00', 1, 3, 3, '张三', 3, 0), "
                             "('20261210000003', '2026-12-10 09:02:00', 1, 3, 3, '李四', 3, 0), "
                             "('20261210000004', '2026-12-10 09:03:00', 1, 3, 3, '李四', null, null), "
                             "('20261210000005', '2026-12-10 09:04:00', 1, 3, 3, '李四', 3, 0)"));
    data.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) values ('20261210000001', '现金', 5), "
                             "('20261210000001', '微信', 4.5), ('20261210000002', '支付宝', 3), "
                             "('20261210000003', '银行卡', 3), ('20261210000005', '现金', 3)"));
    store(SoldLine{number(5), QStringLiteral("可乐"), 3, 1, 3, 3});
    const struct
    {
        const char *way;
        std::function<void(Counter &)> deleteRows;
        std::vector<std::pair<const char *, int>> journalled; // table and ticket, in journal order
    } steps[] = {
        {"删除信息",
         [](Counter &c) {
             clickCell(c.ticketGrid, 0, 1);
             QTest::mouseClick(Find<QToolButton>(c.statistics, "SpeedButton2"), Qt::LeftButton);
         },
         {{"xstj", 1}, {"zfmx", 1}, {"zfmx", 1}}},
        {"Ctrl+Delete", [&](Counter &c) { ctrlDelete(c.ticketGrid); }, {{"xstj", 2}, {"zfmx", 2}}},
        {"Ctrl+Delete on two",
         [&](Counter &c) {
             clickCell(c.ticketGrid, 0, 1);
             clickCell(c.ticketGrid, 1, 1, Qt::ControlModifier);
             ctrlDelete(c.ticketGrid);
         },
         {{"xstj", 4}, {"xstj", 3}, {"zfmx", 3}}},
        {"Ctrl+Delete in the detail",
         [&](Counter &c) {
             c.detail.showTicket(number(5));
             ctrlDelete(c.lineGrid);
         },
         {{"xsmx", 5}}},
    };
    const QString url = SharedPostgres().newDatabase();
    {
        Session importing;
        importing.setConnectionString(data.file());
        importing.useServer({url, 1});
        ImportToServer(importing);
    }
    for (const QString &server : {url, QString()}) { // the server first: the file's rows stay meanwhile
        SCOPED_TRACE(server.isEmpty() ? "file" : "server");
        Counter c{data.file(), server};
        c.statistics.reload();
        c.statistics.show();
        QStringList expected;
        for (const auto &step : steps) {
            SCOPED_TRACE(step.way);
            step.deleteRows(c);
            for (const auto &[table, ticket] : step.journalled)
                expected << QString::fromUtf8(table) + QLatin1Char(' ') + number(ticket);
            QStringList journalled;
            Statement journal(c.session.in(Store::Shared),
                              QStringLiteral("select 表名, 单号, 收银员, 时间, 内容 from scjl order by 序号"));
            while (journal.step()) {
                journalled << journal.value(0).toString() + QLatin1Char(' ') + journal.value(1).toString();
                EXPECT_EQ(journal.value(2).toString(), QStringLiteral("小王"));
                EXPECT_TRUE(journal.value(3).toString().startsWith(QDate::currentDate().toString(Qt::ISODate)));
                EXPECT_TRUE(journal.value(4).toString().contains(
                    QStringLiteral("; 单号=%1; ").arg(journal.value(1).toString())));
            }
            EXPECT_EQ(journalled, expected);
        }
        Statement first(c.session.in(Store::Shared), QStringLiteral("select 内容 from scjl order by 序号 limit 1"));
        ASSERT_TRUE(first.step());
        EXPECT_EQ(
            first.value(0).toString(),
            QStringLiteral("序号=1; 单号=20261210000001; 时间=2026-12-10 09:00:00; 数量=2; 金额=10.126; 折后=9.5; "
                           "收银员=张三; 支付=10; 找零=0.5; 原单号="));
        Statement payments(c.session.in(Store::Shared), QStringLiteral("select 单号 from zfmx"));
        ASSERT_TRUE(payments.step());
        EXPECT_EQ(payments.value(0).toString(), number(5));
        EXPECT_FALSE(payments.step());

        DeletionJournalWindow journal{c.session};
        journal.reload();
        const RowSet &listed = *Find<DataGrid>(journal, "DBGridEh1")->rowSet();
        ASSERT_EQ(listed.recordCount(), expected.size());
        EXPECT_EQ(listed.text(QStringLiteral("表名")), QStringLiteral("xsmx")); // the newest first
        responder.shown.clear();
        ctrlDelete(Find<DataGrid>(journal, "DBGridEh1"));
        EXPECT_TRUE(responder.shown.empty());
        Find<QDateEdit>(journal, "FromDate")->setDate(QDate::currentDate().addDays(-2));
        Find<QDateEdit>(journal, "ToDate")->setDate(QDate::currentDate().addDays(-1));
        QTest::mouseClick(Find<QToolButton>(journal, "SearchButton"), Qt::LeftButton);
        EXPECT_EQ(listed.recordCount(), 0);
    }
}

using AwayServerTest = RecordsTest;

// A server that went away while the statistics were listed: each step that
// needs it says so, and no window opens on nothing.
TEST_F(AwayServerTest, TheRecordsWindowsSayTheServerCannotBeReached)
{
    // Whether `step` says just that the server cannot be reached and opens no
    // window. A window it opens is closed again, so that it cannot hang the test.
    const auto saysAway = [this](const std::function<void()> &step) {
        responder.shown.clear();
        bool opened = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = true;
                modal->close();
            }
        });
        closer.start(50);
        step();
        return !opened && responder.shown.size() == 1
            && responder.shown[0].text.startsWith(QStringLiteral("无法连接数据库服务器"));
    };
    const auto openStatistics = [] {
        QTest::mouseClick(Find<QToolButton>(window("MainForm"), "SpeedButton6"), Qt::LeftButton);
    };

    TempPostgres own; // stopped without disturbing the other tests' server
    const QString url = own.newDatabase();
    session.useServer({url, 1});
    Application program(session); // the counter's product list makes the server's tables
    own.query(url,
              QStringLiteral("insert into xstj (单号, 时间, 收银员) values ('2026120910000001', "
                             "'2026-12-09 10:00:00', '张三')"));
    runModal(openStatistics, [&](QWidget *statistics) {
        DataGrid *grid = Find<DataGrid>(statistics, "DBGridEh1");
        ASSERT_EQ(grid->rowSet()->recordCount(), 1);
        own.stop();
        EXPECT_TRUE(saysAway([grid] { doubleClickCell(grid, 0, 1); }));
        EXPECT_FALSE(window("XsmxForm").isVisible());
        EXPECT_TRUE(saysAway(
            [statistics] { QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton5"), Qt::LeftButton); }));
    });
    EXPECT_TRUE(saysAway([] { Find<QAction>(window("MainForm"), "N1")->trigger(); }));
    EXPECT_FALSE(window("SpxxForm").isVisible());
    EXPECT_TRUE(saysAway([] { Find<QAction>(window("MainForm"), "DeletionJournalEntry")->trigger(); }));
    EXPECT_FALSE(window("ScjlForm").isVisible());
    EXPECT_TRUE(saysAway(openStatistics));
    EXPECT_FALSE(window("XstjForm").isVisible());
}

} // namespace
