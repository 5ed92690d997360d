#include "checkout/Checkout.h"
#include "checkout/ReceiptPrinter.h"
#include "data/AppError.h"
#include "data/Connection.h"
#include "report/Report.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

namespace {

// Notes each job; fails every job when told to.
class RecordingPrinter : public ReceiptPrinter
{
public:
    void print(const Report &receipt, const QString &jobName) override
    {
        if (failing)
            throw AppError(QStringLiteral("打印机“test”打印失败"));
        jobs.push_back({receipt.objectName(), jobName});
    }

    struct Job
    {
        QString report;
        QString name;
    };
    std::vector<Job> jobs;
    bool failing = false;
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
        o.ticket.number = QStringLiteral("20240501102030");
        o.ticket.time = QStringLiteral("2024-05-01 10:20:30");
        o.ticket.totalQuantity = QStringLiteral("2");
        o.ticket.totalAmount = QStringLiteral("25");
        o.ticket.totalDiscounted = QStringLiteral("25");
        return o;
    }

    void addLine() const
    {
        data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values ('苹果', 12.5, 2, 25, 25)"));
    }

    TempData data;
    Connection session;
    RecordingPrinter printer;
    Checkout checkout{session, printer};
};

} // namespace

TEST_F(CheckoutService, PrintsTheChosenReceiptAsOftenAsTheCopiesSayUnderTheTicketNumber)
{
    addLine();
    std::vector<ReceiptTemplate> filled;
    checkout.setReceiptFilled([&](ReceiptTemplate which, const ReceiptOrder &o) {
        filled.push_back(which);
        EXPECT_EQ(o.ticket.lines.size(), 1u) << "the receipt shows the recorded lines";
    });
    EXPECT_EQ(checkout.run(order("76", "2", true)), Checkout::Outcome::Recorded);
    ASSERT_EQ(printer.jobs.size(), 2u);
    for (const auto &job : printer.jobs) {
        EXPECT_EQ(job.report, QStringLiteral("QuickRep2"));
        EXPECT_EQ(job.name, QStringLiteral("20240501102030"));
    }
    EXPECT_EQ(filled, std::vector<ReceiptTemplate>{ReceiptTemplate::OnePart76});
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 1);
    EXPECT_EQ(data.count(QStringLiteral("xsmx")), 1);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
}

TEST_F(CheckoutService, EmptyTicketKeepsTheSettingsAndStopsThere)
{
    EXPECT_EQ(checkout.run(order("58", "1")), Checkout::Outcome::EmptyTicket);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QStringLiteral("好运小店"));
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
}

TEST_F(CheckoutService, SettingsChoosingNoReceiptStillRecordTheSale)
{
    for (const auto &[width, copies] : {std::pair{"80", "1"}, {"58", "3"}}) {
        addLine();
        EXPECT_EQ(checkout.run(order(width, copies)), Checkout::Outcome::Recorded) << width << copies;
    }
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 2);
}

TEST_F(CheckoutService, AFailedReceiptStoresNothingOfTheSale)
{
    addLine();
    printer.failing = true;
    EXPECT_THROW(checkout.run(order("58", "1")), AppError);
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QStringLiteral("好运小店"));
}
