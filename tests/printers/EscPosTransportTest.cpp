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

struct Failure
{
    QString message;
    qint64 elapsedMs = 0;
};

void Send(const QString &target, const QByteArray &job, qint64 timeLimitMs = 60000)
{
    SendEscPosJob(ParseEscPosTarget(target), job, QStringLiteral("job"), QDeadlineTimer(timeLimitMs));
}

Failure SendFailure(const QString &target, const QByteArray &job, qint64 timeLimitMs = 60000)
{
    QElapsedTimer timer;
    timer.start();
    try {
        Send(target, job, timeLimitMs);
    } catch (const AppError &error) {
        return {error.message(), timer.elapsed()};
    }
    ADD_FAILURE() << "sending to " << target.toStdString() << " did not fail";
    return {};
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
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;

private:
    bool m_switched;
};

} // namespace

TEST(EscPosTransport, DeviceFileAndNetworkReceiveTheSameBytes)
{
    const SampleReceipt receipt(20, 58);
    PrinterConf conf;
    conf.kind = PrinterConf::Kind::EscPos;
    conf.drawer = true;

    // By name, through the look-up with a timeout.
    VirtualEscPosPrinter network;
    conf.target = QStringLiteral("tcp://localhost:%1").arg(network.port());
    EscPosPrinter(conf).print(receipt.report(), QStringLiteral("job"));
    EscPosPrinter(conf).saleFinished();

    QTemporaryDir dir;
    VirtualEscPosPrinter device(dir.filePath(QStringLiteral("lp0")));
    conf.target = device.target();
    EscPosPrinter(conf).print(receipt.report(), QStringLiteral("job"));
    EscPosPrinter(conf).saleFinished();

    const QByteArray sent = network.received(2);
    EXPECT_GT(sent.size(), 10000);
    EXPECT_EQ(device.received(2), sent);
}

TEST(EscPosTransport, NetworkPrinterThatRefusesOrStopsTakingBytes)
{
    const Failure refused = SendFailure(QStringLiteral("tcp://127.0.0.1:%1").arg(UnusedLoopbackPort()),
                                        EscPos::DrawerJob());
    EXPECT_TRUE(refused.message.contains(QStringLiteral("拒绝连接"))) << refused.message.toStdString();

    const VirtualEscPosPrinter unanswering(VirtualEscPosPrinter::Behaviour::NeverAnswers);
    const Failure noAnswer = SendFailure(unanswering.target(), EscPos::DrawerJob());
    EXPECT_TRUE(noAnswer.message.contains(QStringLiteral("3 秒内没有响应"))) << noAnswer.message.toStdString();
    EXPECT_GE(noAnswer.elapsedMs, kPrinterTimeoutMs - 100);
    EXPECT_LT(noAnswer.elapsedMs, kPrinterTimeoutMs + 1000);

    const QByteArray job = LongReceiptJob();
    VirtualEscPosPrinter silent(VirtualEscPosPrinter::Behaviour::NeverReads);
    const Failure stalled = SendFailure(silent.target(), job);
    EXPECT_TRUE(stalled.message.contains(QStringLiteral("3 秒内没有接收数据"))) << stalled.message.toStdString();
    EXPECT_GE(stalled.elapsedMs, kPrinterTimeoutMs - 100);
    EXPECT_LT(stalled.elapsedMs, kPrinterTimeoutMs + 1500);

    VirtualEscPosPrinter hangsUp(VirtualEscPosPrinter::Behaviour::HangsUpAfterFirstBytes);
    const Failure cut = SendFailure(hangsUp.target(), job);
    EXPECT_TRUE(cut.message.contains(QStringLiteral("中途断开"))) << cut.message.toStdString();
    EXPECT_LT(cut.elapsedMs, kPrinterTimeoutMs);
}

TEST(EscPosTransport, DeviceFileMissingUnwritableAbsentOrHangingUp)
{
    QTemporaryDir dir;
    const Failure missing = SendFailure(dir.filePath(QStringLiteral("usb/lp0")), EscPos::DrawerJob());
    EXPECT_TRUE(missing.message.contains(QStringLiteral("找不到打印机设备"))) << missing.message.toStdString();

    // A root-owned device the user has no rights to, as /dev/usb/lp0 is to
    // users outside the lp group.
    const QString locked = dir.filePath(QStringLiteral("lp1"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(locked).constData(), 0600), 0);
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    ::chmod(QFile::encodeName(locked).constData(), ::geteuid() == 0 ? 0600 : 0);
    Failure denied;
    {
        const AsNobody nobody;
        denied = SendFailure(locked, EscPos::DrawerJob());
    }
    EXPECT_TRUE(denied.message.contains(QStringLiteral("没有权限")) && denied.message.contains(QStringLiteral("lp 组")))
        << denied.message.toStdString();

    // A named pipe nobody reads stands for a device that is switched off.
    const QString absent = dir.filePath(QStringLiteral("lp2"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(absent).constData(), 0600), 0);
    const Failure noReader = SendFailure(absent, EscPos::DrawerJob());
    EXPECT_TRUE(noReader.message.contains(QStringLiteral("没有响应"))) << noReader.message.toStdString();

    // The reader going away mid-job fails the job and leaves the program running.
    const VirtualEscPosPrinter hangsUp(dir.filePath(QStringLiteral("lp3")),
                                       VirtualEscPosPrinter::Behaviour::HangsUpAfterFirstBytes);
    const Failure cut = SendFailure(hangsUp.target(), LongReceiptJob());
    EXPECT_TRUE(cut.message.contains(QStringLiteral("发送数据时中断"))) << cut.message.toStdString();
}

// A device location that is a file or a folder, directly or through a link,
// is refused by name at print time and in the set-up's check, and left as it
// was; a named pipe, directly or through a link, is a printer.
TEST(EscPosTransport, OnlyCharacterDevicesAndPipesArePrinters)
{
    QTemporaryDir dir;
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
            EXPECT_NO_THROW(Send(path, EscPos::DrawerJob()));
            continue;
        }
        const Failure printed = SendFailure(path, EscPos::DrawerJob());
        QString checked;
        try {
            CheckPrinterDevice(path);
        } catch (const AppError &error) {
            checked = error.message();
        }
        for (const QString &message : {printed.message, checked})
            EXPECT_TRUE(message.contains(path) && message.contains(QString::fromUtf8(refusedAs)))
                << message.toStdString();
    }
    EXPECT_EQ(pipe.received(2), EscPos::DrawerJob().repeated(2));
    QFile file(dir.filePath(QStringLiteral("data.mdb")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), stored);
}

// A job may take what the slowest serial printer needs for it, and 5 s more.
TEST(EscPosTransport, JobTimeLimitGrowsWithItsSize)
{
    const std::pair<qsizetype, qint64> cases[] = {{0, 5000}, {960, 6000}, {31 * 1024, 38066}, {96000, 105000}};
    for (const auto &[bytes, limitMs] : cases)
        EXPECT_EQ(EscPosJobTimeLimitMs(bytes), limitMs) << bytes;
}

// A printer that keeps reading, too slowly to finish, is given up at the deadline.
TEST(EscPosTransport, SlowPrinterFailsAtTheDeadline)
{
    constexpr qint64 kLimitMs = 1500;
    const VirtualEscPosPrinter slow(VirtualEscPosPrinter::Behaviour::ReadsSlowly);
    const Failure late = SendFailure(slow.target(), LongReceiptJob(), kLimitMs);
    EXPECT_TRUE(late.message.contains(QStringLiteral("太慢"))) << late.message.toStdString();
    EXPECT_GE(late.elapsedMs, kLimitMs - 100);
    EXPECT_LT(late.elapsedMs, kLimitMs + 1000);
}
