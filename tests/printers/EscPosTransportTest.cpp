#include "printers/EscPosTransport.h"
#include "base/AppError.h"
#include "printers/EscPosEncoder.h"
#include "printers/EscPosPrinter.h"
#include "printers/EscPosRaster.h"
#include "printers/EscPosTarget.h"
#include "printers/PrinterDevice.h"
#include "tests/printers/SampleReceipt.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A long receipt at 80 mm: several hundred kilobytes, more than the kernel
// buffers between the program and a printer that has stopped reading.
QByteArray LongReceiptJob()
{
    const SampleReceipt receipt(120, 76);
    return EscPos::ReceiptJob(RenderReceiptRaster(receipt.report(), 576), true);
}

void Send(const QString &target, const QByteArray &job, qint64 timeLimitMs = 60000)
{
    SendEscPosJob(ParseEscPosTarget(target), job, QStringLiteral("job"), QDeadlineTimer(timeLimitMs));
}

// What a step that must fail says.
QString FailureOf(const std::function<void()> &step)
{
    try {
        step();
    } catch (const AppError &error) {
        return error.message();
    }
    ADD_FAILURE() << "did not fail";
    return {};
}

// Sends a job that must fail with a message saying `says`; returns how long it took.
qint64 FailsSaying(const QString &target, const QByteArray &job, const QString &says, qint64 timeLimitMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    const QString message = FailureOf([&] { Send(target, job, timeLimitMs); });
    EXPECT_TRUE(message.contains(says)) << target.toStdString() << ": " << message.toStdString();
    return timer.elapsed();
}

// Runs a step as the unprivileged user "nobody" when the test runs as root,
// for whom the file permissions would not count.
class AsNobody
{
public:
    AsNobody()
        : m_switched(::geteuid() == 0 && ::seteuid(65534) == 0)
    { }
    ~AsNobody()
    {
        if (m_switched) [[maybe_unused]]
            const int restored = ::seteuid(0);
    }

private:
    bool m_switched;
};

} // namespace

TEST(EscPosTransport, NetworkPrinterThatRefusesOrStopsTakingBytes)
{
    FailsSaying(QStringLiteral("tcp://127.0.0.1:%1").arg(UnusedLoopbackPort()), EscPos::DrawerJob(),
                QStringLiteral("拒绝连接"));

    const VirtualEscPosPrinter unanswering(VirtualEscPosPrinter::Behaviour::NeverAnswers);
    const qint64 noAnswerMs = FailsSaying(unanswering.target(), EscPos::DrawerJob(), QStringLiteral("3 秒内没有响应"));
    EXPECT_GE(noAnswerMs, kPrinterTimeoutMs - 100);
    EXPECT_LT(noAnswerMs, kPrinterTimeoutMs + 1000);

    const QByteArray job = LongReceiptJob();
    VirtualEscPosPrinter silent(VirtualEscPosPrinter::Behaviour::NeverReads);
    const qint64 stalledMs = FailsSaying(silent.target(), job, QStringLiteral("3 秒内没有接收数据"));
    EXPECT_GE(stalledMs, kPrinterTimeoutMs - 100);
    EXPECT_LT(stalledMs, kPrinterTimeoutMs + 1500);

    VirtualEscPosPrinter hangsUp(VirtualEscPosPrinter::Behaviour::HangsUpAfterFirstBytes);
    EXPECT_LT(FailsSaying(hangsUp.target(), job, QStringLiteral("中途断开")), kPrinterTimeoutMs);
}

TEST(EscPosTransport, DeviceFileMissingUnwritableAbsentOrHangingUp)
{
    QTemporaryDir dir;
    FailsSaying(dir.filePath(QStringLiteral("usb/lp0")), EscPos::DrawerJob(), QStringLiteral("找不到打印机设备"));

    // A root-owned device the user has no rights to, as /dev/usb/lp0 is to
    // users outside the lp group.
    const QString locked = dir.filePath(QStringLiteral("lp1"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(locked).constData(), 0600), 0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(locked).constData(), ::geteuid() == 0 ? 0600 : 0);
    {
        const AsNobody nobody;
        FailsSaying(locked, EscPos::DrawerJob(), QStringLiteral("lp 组"));
    }

    // A named pipe nobody reads stands for a device that is switched off.
    const QString absent = dir.filePath(QStringLiteral("lp2"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(absent).constData(), 0600), 0);
    FailsSaying(absent, EscPos::DrawerJob(), QStringLiteral("没有响应"));

    // The reader going away mid-job fails the job and leaves the program running.
    const VirtualEscPosPrinter hangsUp(dir.filePath(QStringLiteral("lp3")),
                                       VirtualEscPosPrinter::Behaviour::HangsUpAfterFirstBytes);
    FailsSaying(hangsUp.target(), LongReceiptJob(), QStringLiteral("发送数据时中断"));
}

// A device location that is a file or a folder, directly or through a link,
// is refused by name at print time and in the set-up's check, and left as it
// was; a named pipe, directly or through a link, is a printer that gets a
// long job whole.
TEST(EscPosTransport, OnlyCharacterDevicesAndPipesArePrinters)
{
    QTemporaryDir dir;
    const QByteArray job = LongReceiptJob();
    const QByteArray stored("SQLite format 3\0 every sale of the shop", 40);
    {
        QFile file(dir.filePath(QStringLiteral("data.mdb")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(stored);
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    VirtualEscPosPrinter pipe(dir.filePath(QStringLiteral("pipe")));
    for (const char *name : {"data.mdb", "folder", "pipe"})
        ASSERT_TRUE(QFile::link(dir.filePath(QString::fromLatin1(name)),
                                dir.filePath(QStringLiteral("link-to-") + QString::fromLatin1(name))));
    // A character device that takes anything stands for a USB printer.
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("link-to-device"))));

    const std::pair<const char *, const char *> cases[] = {{"data.mdb", "普通文件"},   {"link-to-data.mdb", "普通文件"},
                                                           {"folder", "文件夹"},       {"link-to-folder", "文件夹"},
                                                           {"pipe", nullptr},          {"link-to-pipe", nullptr},
                                                           {"link-to-device", nullptr}};
    for (const auto &[name, refusedAs] : cases) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(QString::fromLatin1(name));
        if (!refusedAs) {
            EXPECT_NO_THROW(CheckPrinterDevice(path));
            EXPECT_NO_THROW(Send(path, job));
            continue;
        }
        for (const QString &message :
             {FailureOf([&] { Send(path, EscPos::DrawerJob()); }), FailureOf([&] { CheckPrinterDevice(path); })})
            EXPECT_TRUE(message.contains(path) && message.contains(QString::fromUtf8(refusedAs)))
                << message.toStdString();
    }
    EXPECT_EQ(pipe.received(2), job.repeated(2));
    QFile file(dir.filePath(QStringLiteral("data.mdb")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

// A printer that keeps reading, too slowly to finish, is given up at the deadline.
TEST(EscPosTransport, SlowPrinterFailsAtTheDeadline)
{
    constexpr qint64 kLimitMs = 1500;
    const VirtualEscPosPrinter slow(VirtualEscPosPrinter::Behaviour::ReadsSlowly);
    const qint64 lateMs = FailsSaying(slow.target(), LongReceiptJob(), QStringLiteral("太慢"), kLimitMs);
    EXPECT_GE(lateMs, kLimitMs - 100);
    EXPECT_LT(lateMs, kLimitMs + 1000);
}
