#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "tests/support/Controls.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/CupsPdfPrinter.h"
#include "tests/support/PdfText.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

// What a PDF shows, made comparable.
QString TextOf(const QString &pdf)
{
    return PdfText::Comparable(PdfText::Text(pdf));
}

QByteArray Digest(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// A sale printed by the counter of the whole program, then reprinted from the
// statistics window: both receipts go through the private CUPS queue.
class ReprintPrintTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        printer = &CupsPdfPrinter::Shared();
        program = std::make_unique<Application>(session);
        program->counter().show();
        counter.emplace(program->counter());
        counter->manualTime()->click(); // the ticket time as typed
        counter->shopName()->setText(QStringLiteral("好运小店"));
        counter->cashier()->setText(QStringLiteral("小王"));
        counter->remark()->setPlainText(QStringLiteral("谢谢惠顾"));
        counter->copies()->setEditText(QStringLiteral("1"));
    }

    QString printSale(const QString &number, const char *width, const char *parts, bool withCustomer)
    {
        counter->paperWidth()->setEditText(QString::fromUtf8(width));
        counter->layout()->setEditText(QString::fromUtf8(parts));
        counter->showCustomer(withCustomer);
        counter->customer()->setText(withCustomer ? QStringLiteral("张三丰") : QString());
        counter->phone()->setText(withCustomer ? QStringLiteral("13912345678") : QString());
        counter->ticketNumber()->setText(number);
        counter->ticketTime()->setText(QStringLiteral("2024-05-01 10:20:30"));
        for (int i = 1; i <= 2; ++i)
            counter->addLine(QStringLiteral("商品%1").arg(i), QStringLiteral("12.5"), QString::number(i));
        counter->paid()->setEditText(QStringLiteral("50"));
        counter->print();
        EXPECT_TRUE(responder.shown.empty());
        return TextOf(printer->submittedDocument(printer->waitForNewPdfs(1).front()));
    }

    // Opens the statistics window, which lists the tickets in number order
    // with the first current, and reprints that one.
    QString reprintFirstListed()
    {
        QTimer::singleShot(0, [] {
            auto *statistics = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(statistics, nullptr);
            QTest::mouseClick(Find<QToolButton>(statistics, "ReprintButton"), Qt::LeftButton);
            statistics->reject();
        });
        CounterDriver::click(counter->statistics());
        EXPECT_TRUE(responder.shown.empty());
        return TextOf(printer->submittedDocument(printer->waitForNewPdfs(1).front()));
    }

    TempData data;
    RecordingResponder responder;
    CupsPdfPrinter *printer = nullptr;
    Session session;
    std::unique_ptr<Application> program;
    std::optional<CounterDriver> counter;
};

TEST_F(ReprintPrintTest, AReprintIsTheOriginalReceiptUnderTheMarkAndChangesNothing)
{
    const QString original = printSale(QStringLiteral("20240501000009"), "58", "一联", true);
    const QByteArray before = Digest(data.file());

    QString reprint = reprintFirstListed();

    EXPECT_EQ(Digest(data.file()), before);
    const QRegularExpression mark(QStringLiteral("重打\\d{4}-\\d{2}-\\d{2}\\d{2}:\\d{2}:\\d{2}"));
    EXPECT_TRUE(mark.match(reprint).hasMatch()) << reprint.toStdString();
    EXPECT_EQ(reprint.remove(mark), original);
    // Compatibility form turns the full-width colon into ":".
    EXPECT_TRUE(original.contains(QStringLiteral("支付金额:50应付金额:37.5找零金额:12.5"))) << original.toStdString();
    EXPECT_TRUE(original.contains(QStringLiteral("张三丰"))) << original.toStdString();
}

} // namespace
