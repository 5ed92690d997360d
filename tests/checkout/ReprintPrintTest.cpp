#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "tests/support/Controls.h"
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
        form = &program->counter();
        form->show();
        Find<QCheckBox>(form, "CheckBox1")->click(); // the ticket time as typed
        Find<QLineEdit>(form, "Edit1")->setText(QStringLiteral("好运小店"));
        Find<QLineEdit>(form, "Edit11")->setText(QStringLiteral("小王"));
        Find<QPlainTextEdit>(form, "Memo1")->setPlainText(QStringLiteral("谢谢惠顾"));
        Find<QComboBox>(form, "ComboBox6")->setEditText(QStringLiteral("1"));
    }

    QString printSale(const QString &number, const char *width, const char *parts, bool withCustomer)
    {
        Find<QComboBox>(form, "ComboBox4")->setEditText(QString::fromUtf8(width));
        Find<QComboBox>(form, "ComboBox5")->setEditText(QString::fromUtf8(parts));
        if (Find<QCheckBox>(form, "CheckBox2")->isChecked() != withCustomer)
            Find<QCheckBox>(form, "CheckBox2")->click();
        Find<QLineEdit>(form, "Edit4")->setText(withCustomer ? QStringLiteral("张三丰") : QString());
        Find<QLineEdit>(form, "Edit5")->setText(withCustomer ? QStringLiteral("13912345678") : QString());
        Find<QLineEdit>(form, "Edit2")->setText(number);
        Find<QLineEdit>(form, "Edit3")->setText(QStringLiteral("2024-05-01 10:20:30"));
        for (int i = 1; i <= 2; ++i) {
            Find<QComboBox>(form, "ComboBox1")->setEditText(QStringLiteral("商品%1").arg(i));
            Find<QLineEdit>(form, "Edit7")->setText(QStringLiteral("12.5"));
            Find<QLineEdit>(form, "Edit8")->setText(QString::number(i));
            QTest::keyClick(Find<QLineEdit>(form, "Edit8"), Qt::Key_End);
            QTest::mouseClick(Find<QToolButton>(form, "SpeedButton3"), Qt::LeftButton);
        }
        Find<QComboBox>(form, "ComboBox3")->setEditText(QStringLiteral("50"));
        QTest::mouseClick(Find<QToolButton>(form, "SpeedButton8"), Qt::LeftButton);
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
        QTest::mouseClick(Find<QToolButton>(form, "SpeedButton6"), Qt::LeftButton);
        EXPECT_TRUE(responder.shown.empty());
        return TextOf(printer->submittedDocument(printer->waitForNewPdfs(1).front()));
    }

    TempData data;
    RecordingResponder responder;
    CupsPdfPrinter *printer = nullptr;
    Session session;
    std::unique_ptr<Application> program;
    CounterWindow *form = nullptr;
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
