// The records windows show the same on a shop's server as on a counter's own
// file holding the same data: the same rows in the same order, the same texts
// and sums, the same search results (case, "%", "_" and "\" included).
#include "tests/fileformats/ReadBack.h"
#include "tests/records/RecordsFixture.h"
#include "tests/support/TempPostgres.h"

#include "app/Application.h"
#include "data/shop/Catalogue.h"
#include "data/shop/DayEnd.h"
#include "data/store/RowSet.h"
#include "data/store/ServerSettings.h"
#include "data/sync/ServerImport.h"
#include "grid/DataGrid.h"
#include "records/CatalogueWindow.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <string>

using Rows = std::vector<QStringList>;

namespace {

const QStringList kCashiers = {QStringLiteral("张三"),  QStringLiteral("李四"),   QStringLiteral("Alice"),
                               QStringLiteral("alice"), QStringLiteral("ALICE"),  QStringLiteral("bob_1"),
                               QStringLiteral("bobx1"), QStringLiteral("50%off"), QStringLiteral("5000off"),
                               QStringLiteral("Émile"), QStringLiteral("émile"),  QStringLiteral("王五")};

struct Product
{
    QVariant name, price, remark;
};

const std::vector<Product> &Products()
{
    static const std::vector<Product> products = {
        {QStringLiteral("可乐"), 3.0, QStringLiteral("冰")},
        {QStringLiteral("百事可乐"), 3.5, QString()},
        {QStringLiteral("100%果汁"), 6.5, QVariant()},
        {QStringLiteral("100果汁"), 6.0, QStringLiteral("%")},
        {QStringLiteral("a_b"), 1.25, QVariant()},
        {QStringLiteral("axb"), 1.1, QStringLiteral("_")},
        {QStringLiteral("Apple"), 4.0, QStringLiteral("A")},
        {QStringLiteral("apple"), 4.2, QStringLiteral("a")},
        {QStringLiteral("APPLE"), QVariant(), QVariant()},
        {QStringLiteral("茶_绿"), 5.0, QVariant()},
        {QStringLiteral("绿茶"), 4.5, QStringLiteral("热")},
        {QStringLiteral("éclair"), 8.0, QVariant()},
        {QStringLiteral("Éclair"), 8.8, QVariant()},
        {QVariant(), 2.0, QStringLiteral("没有品名")}, // an old file's product without a name
        {QStringLiteral("矿泉水"), 1.0, QString()},
    };
    return products;
}

void AddTicket(Session &file, const QVariant &number, const QString &time, const QVariant &cashier, int seed)
{
    double quantity = 0, amount = 0, discounted = 0;
    for (int j = 0; j < seed % 3 + 1; ++j) {
        const Product &product = Products()[(seed + j * 5) % Products().size()];
        const double price = product.price.isNull() ? 1.1 : product.price.toDouble();
        const double count = (seed + j) % 7 == 0 ? 0.5 : (seed + j) % 4 + 1;
        quantity += count;
        amount += price * count;
        discounted += price * count * 0.9;
        if (!number.isNull())
            file.exec(QStringLiteral("insert into xsmx (单号, 时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后) "
                                     "values (?1, ?2, ?3, '', '', ?4, ?5, ?6, ?7, ?8)"),
                      {number, time, seed % 2 ? QStringLiteral("李先生") : QString(), product.name, price, count,
                       price * count, price * count * 0.9});
    }
    file.exec(QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 支付, 找零) "
                             "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)"),
              {number, time, quantity, amount, discounted, cashier, 100.0, 100 - discounted});
}

// A shop's file: a catalogue and a few hundred sales over five days, stored
// neither in number nor in time order, and a few odd ones.
void FillShop(Session &file)
{
    Transaction transaction(file.file());
    for (const Product &product : Products())
        file.exec(QStringLiteral("insert into spxx (品名, 单价, 备注) values (?1, ?2, ?3)"),
                  {product.name, product.price, product.remark});
    const int tickets = 300;
    for (int i = 0; i < tickets; ++i) {
        const int at = i * 37 % tickets;
        const int seconds = at == 1 ? 86399 : at * 613 % 86400;
        const QDateTime time(QDate(2026, 12, at % 5 + 1), QTime(0, 0).addSecs(seconds));
        const QString number = time.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral("0%1").arg(i % 9 + 1);
        AddTicket(file, number, time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), kCashiers[i % kCashiers.size()],
                  i);
    }
    AddTicket(file, QStringLiteral("X12"), QStringLiteral("2026-12-03 12:00:00"), QStringLiteral("alice"), 1);
    AddTicket(file, QStringLiteral("X1"), QStringLiteral("2026-12-03 12:00:01"), QStringLiteral("bob\\"), 2);
    AddTicket(file, QStringLiteral("x1"), QStringLiteral("2026-12-03 12:00:02"), QStringLiteral("张三"), 3);
    AddTicket(file, QString(), QStringLiteral("2026-12-04 08:00:00"), QStringLiteral("张三"), 4);
    AddTicket(file, QVariant(), QStringLiteral("2026-12-04 08:00:01"), QVariant(), 5); // an old file's sale
    transaction.commit();
}

// The shop's file and a server database that was given its data, made once for the suite.
struct Shop
{
    Shop()
    {
        Session importing;
        importing.setConnectionString(file.file());
        FillShop(importing);
        importing.useServer({url, 1});
        ImportToServer(importing);
    }
    TempData file;
    QString url = SharedPostgres().newDatabase();
};

// The windows of one counter, on its own file or on the shop's server.
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
    DataGrid *ticketGrid = Find<DataGrid>(statistics, "DBGridEh1");
    DataGrid *lineGrid = Find<DataGrid>(detail, "DBGridEh1");
    DataGrid *productGrid = Find<DataGrid>(catalogue, "DBGridEh1");
};

// What a grid shows: its row set's columns and their kinds, every cell's text row by row, the footer.
QStringList Shown(const DataGrid *grid)
{
    const RowSet &rows = *grid->rowSet();
    const int columns = int(grid->gridColumns().size());
    QStringList shown;
    QStringList heads;
    for (int c = 0; c < rows.columnCount(); ++c)
        heads << rows.columnName(c) + QLatin1Char(':') + QString::number(int(rows.columnKind(c)));
    shown << heads.join(QLatin1Char('|'));
    for (int row = 0; row < rows.recordCount(); ++row) {
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << grid->cellText(row, c);
        shown << cells.join(QLatin1Char('|'));
    }
    if (grid->footerVisible()) {
        QStringList footer;
        for (int c = 0; c < columns; ++c)
            footer << grid->footerText(c);
        shown << footer.join(QLatin1Char('|'));
    }
    return shown;
}

// Every figure of a day-end report and a chart. The engines add up in their
// own order and way, so sums may differ in the last bits: twelve digits tell.
QStringList Described(const DayEnd::Figures &figures, const std::vector<DayEnd::DaySales> &days)
{
    const auto number = [](double value) { return QString::number(value, 'g', 12); };
    const auto totals = [&](const DayEnd::Totals &t) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(t.tickets)
            .arg(number(t.quantity), number(t.amount), number(t.discounted));
    };
    QStringList described{totals(figures.all), figures.firstTime, figures.lastTime};
    for (const DayEnd::CashierTotals &cashier : figures.cashiers)
        described << cashier.cashier + QLatin1Char(' ') + totals(cashier.totals);
    for (const DayEnd::ProductSold &product : figures.products)
        described << product.name + QLatin1Char(' ') + number(product.quantity) + QLatin1Char(' ')
                + number(product.discounted);
    for (const DayEnd::DaySales &day : days)
        described << day.day.toString(Qt::ISODate) + QLatin1Char(' ') + number(day.discounted) + QLatin1Char(' ')
                + QString::number(day.tickets);
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

    static void clickButton(QWidget &window, const char *name)
    {
        QTest::mouseClick(Find<QToolButton>(window, name), Qt::LeftButton);
    }
    static void search(Counter &counter, const QString &number, const QString &cashier)
    {
        QCheckBox *byDates = Find<QCheckBox>(counter.statistics, "CheckBox1");
        if (byDates->isChecked())
            QTest::mouseClick(byDates, Qt::LeftButton);
        Find<QLineEdit>(counter.statistics, "Edit1")->setText(number);
        Find<QLineEdit>(counter.statistics, "Edit2")->setText(cashier);
        clickButton(counter.statistics, "SpeedButton4");
    }
    static void searchDays(Counter &counter, const QDate &from, const QDate &to)
    {
        QCheckBox *byDates = Find<QCheckBox>(counter.statistics, "CheckBox1");
        if (!byDates->isChecked())
            QTest::mouseClick(byDates, Qt::LeftButton);
        Find<QDateEdit>(counter.statistics, "DateTimePicker1")->setDate(from);
        Find<QDateEdit>(counter.statistics, "DateTimePicker2")->setDate(to);
        clickButton(counter.statistics, "SpeedButton4");
    }
    static void openStatistics(Counter &counter)
    {
        counter.statistics.reload();
        counter.statistics.show();
    }

    static Shop *shop;
    Counter local{shop->file.file()};
    Counter server{data.file(), shop->url}; // its own file keeps only its ticket and settings
};

Shop *ServerWindowsTest::shop = nullptr;

TEST_F(ServerWindowsTest, TheCatalogueAndTheCountersProductListAreTheSame)
{
    for (Counter *counter : {&local, &server}) {
        counter->catalogue.reload();
        counter->catalogue.show();
    }
    const QStringList shown = Shown(local.productGrid);
    EXPECT_EQ(shown.size(), int(Products().size()) + 1);
    EXPECT_EQ(Shown(server.productGrid), shown);

    EXPECT_EQ(Catalogue::ProductNames(server.session), Catalogue::ProductNames(local.session));
    for (const char *picked : {"可乐", "果汁", "%", "_", "apple", "APPLE", "Éclair", "绿", "没有"}) {
        SCOPED_TRACE(picked);
        EXPECT_EQ(Catalogue::PriceOf(server.session, QString::fromUtf8(picked)),
                  Catalogue::PriceOf(local.session, QString::fromUtf8(picked)));
    }
    EXPECT_TRUE(responder.shown.empty());

    // Added, modified and deleted through the window, the catalogue stays the same.
    for (Counter *counter : {&local, &server}) {
        CatalogueWindow &window = counter->catalogue;
        Find<QLineEdit>(window, "Edit1")->setText(QStringLiteral("新品_%"));
        Find<QLineEdit>(window, "Edit2")->setText(QStringLiteral("2.345"));
        Find<QLineEdit>(window, "Edit3")->setText(QStringLiteral("Ab"));
        clickButton(window, "SpeedButton1");
        clickCell(counter->productGrid, 3, 1);
        Find<QLineEdit>(window, "Edit2")->setText(QStringLiteral("9.99"));
        clickButton(window, "SpeedButton2");
        clickCell(counter->productGrid, 0, 1);
        clickButton(window, "SpeedButton3");
        window.reload();
    }
    const QStringList edited = Shown(local.productGrid);
    EXPECT_EQ(edited.size(), shown.size());
    EXPECT_NE(edited, shown);
    EXPECT_EQ(Shown(server.productGrid), edited);
}

TEST_F(ServerWindowsTest, TheStatisticsListSearchesSumsAndExportsTheSame)
{
    openStatistics(local);
    openStatistics(server);
    const QStringList all = Shown(local.ticketGrid);
    EXPECT_EQ(all.size(), 305 + 2);
    EXPECT_EQ(Shown(server.ticketGrid), all);

    struct Case
    {
        const char *number, *cashier;
    };
    const Case cases[] = {
        {"", ""},       {"X1", ""},    {"x1", ""},  {"_", ""},     {"%", ""},      {"20261203", ""},
        {"1203", "张"}, {"", "alice"}, {"", "ALI"}, {"", "bob_1"}, {"", "50%"},    {"", "émile"},
        {"", "Émile"},  {"", "É"},     {"0_", "E"}, {"'", ""},     {"", "无此人"},
    };
    int found = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.number) + "|" + c.cashier);
        search(local, QString::fromUtf8(c.number), QString::fromUtf8(c.cashier));
        search(server, QString::fromUtf8(c.number), QString::fromUtf8(c.cashier));
        const QStringList shown = Shown(local.ticketGrid);
        EXPECT_EQ(Shown(server.ticketGrid), shown);
        found += local.ticketGrid->rowSet()->recordCount();
    }
    EXPECT_GT(found, 500); // the searches found something to compare
    // The searched text is taken literally: _, % and \ find only themselves. Both
    // ignore the case of ASCII letters, and only of those.
    const std::pair<const char *, int> literal[] = {{"_", 25}, {"%", 25},     {"\\", 1},    {"b_", 25},
                                                    {"!", 0},  {"alice", 76}, {"émile", 25}};
    for (const auto &[cashier, count] : literal)
        for (Counter *counter : {&local, &server}) {
            SCOPED_TRACE(cashier);
            search(*counter, QString(), QString::fromUtf8(cashier));
            EXPECT_EQ(counter->ticketGrid->rowSet()->recordCount(), count);
        }

    const std::pair<QDate, QDate> spans[] = {{QDate(2026, 12, 1), QDate(2026, 12, 1)},
                                             {QDate(2026, 12, 2), QDate(2026, 12, 3)},
                                             {QDate(2026, 11, 30), QDate(2026, 12, 5)},
                                             {QDate(2026, 12, 6), QDate(2026, 12, 9)}};
    for (const auto &[from, to] : spans) {
        SCOPED_TRACE(from.toString(Qt::ISODate).toStdString());
        searchDays(local, from, to);
        searchDays(server, from, to);
        EXPECT_EQ(Shown(server.ticketGrid), Shown(local.ticketGrid));
    }
    // The refresh lists every ticket in stored order.
    clickButton(local.statistics, "SpeedButton5");
    clickButton(server.statistics, "SpeedButton5");
    EXPECT_EQ(Shown(server.ticketGrid), Shown(local.ticketGrid));

    QTemporaryDir out;
    responder.fileAnswers = {out.filePath(QStringLiteral("local.xls")), out.filePath(QStringLiteral("server.xls"))};
    clickButton(local.statistics, "SpeedButton1");
    clickButton(server.statistics, "SpeedButton1");
    const std::vector<ReadSheet> exported = ReadWorkbook(out.filePath(QStringLiteral("local.xls")));
    ASSERT_FALSE(exported.empty());
    EXPECT_EQ(exported.front().rows.size(), 305u + 1);
    EXPECT_EQ(ReadWorkbook(out.filePath(QStringLiteral("server.xls"))).front().rows, exported.front().rows);
    EXPECT_EQ(responder.texts(), std::vector<QString>(2, QStringLiteral("成功导出全部数据!")));
}

TEST_F(ServerWindowsTest, ATicketsLinesAndTheDayEndFiguresAreTheSame)
{
    openStatistics(local);
    QStringList numbers = {QStringLiteral("X1"), QStringLiteral("x1"), QString(), QStringLiteral("2026120")};
    const RowSet &listed = *local.ticketGrid->rowSet();
    for (int row = 0; row < listed.recordCount(); row += 23)
        numbers << listed.textAt(row, listed.columnIndex(QStringLiteral("单号")));
    for (const QString &number : numbers) {
        SCOPED_TRACE(number.toStdString());
        local.detail.showTicket(number);
        server.detail.showTicket(number);
        const QStringList shown = Shown(local.lineGrid);
        EXPECT_GT(shown.size(), 2);
        EXPECT_EQ(Shown(server.lineGrid), shown);
    }

    std::vector<TicketFilter> filters = {TicketFilter::All(),
                                         TicketFilter::Between(QDate(2026, 12, 2), QDate(2026, 12, 3)),
                                         TicketFilter::Between(QDate(2026, 11, 28), QDate(2026, 12, 8))};
    for (const char *cashier : {"", "alice", "_", "50%", "É"})
        filters.push_back(TicketFilter::Matching(QString(), QString::fromUtf8(cashier)));
    filters.push_back(TicketFilter::Matching(QStringLiteral("x1"), QString()));
    for (const TicketFilter &filter : filters) {
        SCOPED_TRACE(int(filter.kind));
        const QStringList figures = Described(DayEnd::Sum(local.session, filter),
                                              DayEnd::SalesPerDay(local.session, filter));
        EXPECT_GT(figures.size(), 4);
        EXPECT_EQ(Described(DayEnd::Sum(server.session, filter), DayEnd::SalesPerDay(server.session, filter)), figures);
    }
    EXPECT_TRUE(responder.shown.empty());
}

TEST_F(ServerWindowsTest, ATicketDeletedInTheStatisticsIsGoneFromTheServer)
{
    // A database of its own, so that the other tests keep every ticket.
    const QString url = SharedPostgres().newDatabase();
    Session importing;
    importing.setConnectionString(shop->file.file());
    importing.useServer({url, 1});
    ImportToServer(importing);
    TempData otherFile;
    Counter counter(otherFile.file(), url);
    openStatistics(counter);
    const int row = 17;
    clickCell(counter.ticketGrid, row, 2);
    const QString number = counter.ticketGrid->cellText(row, 1);
    ASSERT_EQ(number.size(), 16);

    clickButton(counter.statistics, "SpeedButton2");
    ASSERT_EQ(responder.shown.size(), 1u);
    EXPECT_TRUE(responder.shown[0].text.contains(number));
    EXPECT_EQ(counter.ticketGrid->rowSet()->recordCount(), 304);
    EXPECT_EQ(SharedPostgres().query(url, QStringLiteral("select count(*) from xstj where 单号 = '%1'").arg(number)),
              Rows{{QStringLiteral("0")}});
    EXPECT_EQ(SharedPostgres().query(url, QStringLiteral("select count(*) from xstj")), Rows{{QStringLiteral("304")}});
    counter.statistics.reload();
    EXPECT_EQ(counter.ticketGrid->rowSet()->recordCount(), 304);
}

// The program on a counter whose server cannot be reached.
class AwayServerTest : public RecordsTest
{
protected:
    // Runs `step`; a window it shows is closed again, so that a wrongly shown one cannot hang the test.
    std::vector<QString> messagesOf(const std::function<void()> &step)
    {
        responder.shown.clear();
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start(50);
        step();
        return responder.texts();
    }
    static void expectAway(const std::vector<QString> &messages)
    {
        ASSERT_EQ(messages.size(), 1u) << QStringList(messages.begin(), messages.end()).join('\n').toStdString();
        EXPECT_TRUE(messages[0].startsWith(QStringLiteral("无法连接数据库服务器"))) << messages[0].toStdString();
    }
    static void openCatalogue() { Find<QAction>(window("MainForm"), "N1")->trigger(); }
    static void openStatistics()
    {
        QTest::mouseClick(Find<QToolButton>(window("MainForm"), "SpeedButton6"), Qt::LeftButton);
    }
};

TEST_F(AwayServerTest, OpeningTheRecordsWindowsSaysTheServerCannotBeReached)
{
    session.useServer({QStringLiteral("host=/nonexistent-folder port=5432 dbname=shop user=shop"), 1});
    Application program(session);
    expectAway(messagesOf(openCatalogue));
    EXPECT_FALSE(window("SpxxForm").isVisible());
    expectAway(messagesOf(openStatistics));
    EXPECT_FALSE(window("XstjForm").isVisible());
}

TEST_F(AwayServerTest, TheDetailOfATicketListedBeforeTheServerWentAwaySaysSo)
{
    TempPostgres own; // stopped without disturbing the other tests' server
    const QString url = own.newDatabase();
    session.useServer({url, 1});
    Application program(session); // the counter's product list makes the server's tables
    own.query(url,
              QStringLiteral("insert into xstj (单号, 时间, 收银员) values ('2026120910000001', "
                             "'2026-12-09 10:00:00', '张三')"));
    std::vector<QString> detailMessages, searchMessages;
    int listed = 0;
    runModal(openStatistics, [&](QWidget *statistics) {
        DataGrid *grid = Find<DataGrid>(statistics, "DBGridEh1");
        listed = grid->rowSet()->recordCount();
        own.stop();
        detailMessages = messagesOf([grid] { doubleClickCell(grid, 0, 1); });
        searchMessages = messagesOf(
            [statistics] { QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton5"), Qt::LeftButton); });
    });
    EXPECT_EQ(listed, 1);
    expectAway(detailMessages);
    EXPECT_FALSE(window("XsmxForm").isVisible());
    expectAway(searchMessages);
}

} // namespace
