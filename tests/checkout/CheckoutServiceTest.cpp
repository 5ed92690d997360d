#include "base/AppError.h"
#include "checkout/Checkout.h"
#include "checkout/Reprint.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "printers/ReceiptPrinter.h"
#include "report/Report.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

// Rows of a table of the file, as another program would see them.
int CountRows(const QString &file, const QString &table)
{
    Session connection;
    connection.setConnectionString(file);
    RowSet rows(connection);
    rows.setStatement(QStringLiteral("select count(*) from ") + table);
    rows.open();
    return rows.textAt(0, 0).toInt();
}

// Notes each job, and how many sales another connection sees stored when the
// drawer opens; its drawer fails when told to.
class RecordingPrinter : public ReceiptPrinter
{
public:
    explicit RecordingPrinter(const QString &file)
        : m_file(file)
    { }

    void print(const Report &receipt, const QString &jobName) override
    {
        jobs.push_back({receipt.objectName(), jobName});
    }
    void saleFinished() override
    {
        storedAtDrawer.push_back(CountRows(m_file, QStringLiteral("xstj")));
        if (drawerFailing)
            throw AppError(QStringLiteral("钱箱“test”没有响应"));
    }

    struct Job
    {
        QString report;
        QString name;
    };
    std::vector<Job> jobs;
    std::vector<int> storedAtDrawer;
    bool drawerFailing = false;

private:
    QString m_file;
};

class CheckoutService : public ::testing::Test
{
protected:
    CheckoutService() { session.setConnectionString(data.file()); }

    ReceiptOrder order(const char *width, const char *copies, bool withCustomer = false)
    {
        ReceiptOrder o;
        o.settings = {QStringLiteral("好运小店"), QStringLiteral("谢谢"), QStringLiteral("王芳"),
                      QString::fromUtf8(width),   QStringLiteral("一联"), QString::fromUtf8(copies)};
        o.withCustomer = withCustomer;
        o.sale.number = QStringLiteral("20240501102030");
        o.sale.time = QStringLiteral("2024-05-01 10:20:30");
        return o;
    }

    void addLine() const
    {
        data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values ('苹果', 12.5, 2, 25, 22.5)"));
    }

    TempData data;
    Session session;
    RecordingPrinter printer{data.file()};
    Checkout checkout{session, printer};
};

TEST_F(CheckoutService, PrintsTheChosenReceiptAsOftenAsTheCopiesSayUnderTheTicketNumber)
{
    addLine();
    ReceiptOrder sale = order("76", "2", true);
    sale.sale.customer = QStringLiteral("张三丰");
    sale.sale.phone = QStringLiteral("13912345678");
    sale.sale.address = QStringLiteral("解放路8号");
    EXPECT_EQ(checkout.run(sale).outcome, Checkout::Outcome::Recorded);
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const auto &job : printer.jobs) {
        EXPECT_EQ(job.report, QStringLiteral("QuickRep2"));
        EXPECT_EQ(job.name, QStringLiteral("20240501102030"));
    }
    EXPECT_EQ(data.rows(QStringLiteral("select 金额, 折后 from xstj")), QStringList{QStringLiteral("25|22.5")});
    EXPECT_EQ(data.rows(QStringLiteral("select 客户, 电话, 地址 from xsmx")),
              QStringList{QStringLiteral("张三丰|13912345678|解放路8号")});
    EXPECT_EQ(printer.storedAtDrawer, std::vector<int>{1}) << "the drawer opens once, after the sale is stored";

    // Its reprint is the customer's receipt too.
    const auto runHere = [](const std::vector<Checkout::Job> &jobs) {
        for (const Checkout::Job &job : jobs)
            job();
    };
    EXPECT_EQ(ReprintSale(session, printer, sale.sale.number, {}, runHere), ReprintOutcome::Printed);
    EXPECT_EQ(printer.jobs.back().report, QStringLiteral("QuickRep2"));
}

TEST_F(CheckoutService, SettingsChoosingNoReceiptStillRecordTheSale)
{
    for (const auto &[width, copies] : {std::pair{"80", "1"}, {"58", "3"}}) {
        addLine();
        EXPECT_EQ(checkout.run(order(width, copies)).outcome, Checkout::Outcome::Recorded) << width << copies;
    }
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 2);
}

TEST_F(CheckoutService, ADrawerThatFailsLeavesTheSaleStoredAndSaysWhy)
{
    addLine();
    printer.drawerFailing = true;
    const Checkout::Result result = checkout.run(order("58", "1"));
    EXPECT_EQ(result.outcome, Checkout::Outcome::Recorded);
    EXPECT_EQ(result.drawerProblem, QStringLiteral("钱箱“test”没有响应"));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
}

// Whatever room is left on the disk, a sale either prints, opens the drawer
// and is stored, or stops before anything prints with the ticket kept: the
// room the commit needs is taken before printing.
TEST_F(CheckoutService, AFullDiskStopsTheSaleBeforeAnythingPrints)
{
    // Long lines, so that the sale needs pages the file does not have yet.
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 40) "
                             "insert into xsxx (品名, 单价, 数量, 金额, 折后) select '%1' || i, 1, 1, 1, 1 from n")
                  .arg(QString(100, u'货')));
    int refused = 0;
    int stored = 0;
    for (int pages = 0; pages <= 16; pages += 2) {
        SCOPED_TRACE(pages);
        SmallDisk disk;
        if (!disk.mounted())
            GTEST_SKIP() << "a small file system cannot be mounted here";
        const QString file = disk.path(QStringLiteral("data.mdb"));
        ASSERT_TRUE(QFile::copy(data.file(), file));
        disk.fillUpBut(pages * 4096);
        RecordingPrinter printer(file);
        try {
            Session session;
            session.setConnectionString(file);
            Checkout(session, printer).run(order("58", "1"));
            ++stored;
            EXPECT_EQ(printer.jobs.size(), 1u);
            EXPECT_EQ(printer.storedAtDrawer, std::vector<int>{1});
        } catch (const AppError &error) {
            ++refused;
            EXPECT_TRUE(error.message().contains(QStringLiteral("磁盘已满"))) << error.message().toStdString();
            EXPECT_TRUE(printer.jobs.empty());
            EXPECT_TRUE(printer.storedAtDrawer.empty());
            disk.empty();
            EXPECT_EQ(CountRows(file, QStringLiteral("xstj")), 0);
            EXPECT_EQ(CountRows(file, QStringLiteral("xsxx")), 40);
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(stored, 0);
}

} // namespace
