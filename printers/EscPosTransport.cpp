#include "printers/EscPosTransport.h"

#include "base/AppError.h"
#include "printers/EscPosTarget.h"
#include "printers/FileDescriptor.h"
#include "printers/PrinterDevice.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <memory>

#include <linux/sockios.h>
#include <netdb.h>
#include <poll.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A kernel send buffer this small makes a printer that stops taking bytes
// show within the timeout instead of after megabytes have been queued.
constexpr int kSendBufferBytes = 32 * 1024;
constexpr int kDrainPollMs = 2;

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writing to a device or pipe whose reader has gone raises SIGPIPE, which
// would end the program; while one of these lives the signal is held back in
// this thread and the write fails with EPIPE instead.
class HeldSigpipe
{
public:
    HeldSigpipe()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_previous);
    }
    ~HeldSigpipe()
    {
        if (!m_wasPending) {
            const timespec now{};
            while (sigtimedwait(&m_pipe, nullptr, &now) == SIGPIPE) { }
        }
        pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
    }
    HeldSigpipe(const HeldSigpipe &) = delete;
    HeldSigpipe &operator=(const HeldSigpipe &) = delete;

private:
    sigset_t m_pipe;
    sigset_t m_previous;
    bool m_wasPending = false;
};

struct Complaints
{
    std::function<QString()> silent; // no bytes taken within the timeout
    std::function<QString(int)> brokenOff; // the job broke off with this errno
    std::function<QString()> tooSlow; // the job's deadline passed
};

QString TooSlowMessage(const QString &printer)
{
    return QStringLiteral("打印机“%1”接收数据太慢，没能在限定时间内收完这份打印任务，已停止打印；"
                          "请检查打印机的连接（串口打印机的速度不应低于 9600 波特）")
        .arg(printer);
}

void WaitUntilWritable(int fd, const Complaints &complaints, const QDeadlineTimer &deadline)
{
    const qint64 left = deadline.remainingTime();
    if (left == 0)
        throw AppError(complaints.tooSlow());
    const bool deadlineFirst = left >= 0 && left < kPrinterTimeoutMs;
    pollfd waiting{fd, POLLOUT, 0};
    const int ready = ::poll(&waiting, 1, deadlineFirst ? int(left) : kPrinterTimeoutMs);
    if (ready == 0)
        throw AppError(deadlineFirst ? complaints.tooSlow() : complaints.silent());
    if (ready > 0 && (waiting.revents & (POLLERR | POLLHUP | POLLNVAL)))
        throw AppError(complaints.brokenOff(EPIPE));
}

// Writes the whole job to a non-blocking descriptor; each wait for the
// printer to take more is bounded by the timeout, and the whole by the deadline.
void WriteAll(int fd, const QByteArray &job, bool isSocket, const Complaints &complaints,
              const QDeadlineTimer &deadline)
{
    qsizetype written = 0;
    while (written < job.size()) {
        const char *from = job.constData() + written;
        const size_t size = size_t(job.size() - written);
        const ssize_t n = isSocket ? ::send(fd, from, size, MSG_NOSIGNAL) : ::write(fd, from, size);
        if (n > 0) {
            written += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            WaitUntilWritable(fd, complaints, deadline);
        } else if (n < 0 && errno != EINTR) {
            throw AppError(complaints.brokenOff(errno));
        }
    }
}

// Waits until the printer has acknowledged every byte sent, so that a printer
// that stops reading or drops the connection is told apart from one that took
// the job.
void WaitUntilAcknowledged(int fd, const Complaints &complaints, const QDeadlineTimer &deadline)
{
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    int unacknowledged = 0;
    for (;;) {
        int left = 0;
        if (::ioctl(fd, SIOCOUTQ, &left) != 0 || left == 0)
            return;
        if (left != unacknowledged) {
            unacknowledged = left;
            sinceProgress.restart();
        } else if (sinceProgress.elapsed() > kPrinterTimeoutMs) {
            throw AppError(complaints.silent());
        }
        if (deadline.hasExpired())
            throw AppError(complaints.tooSlow());
        pollfd watching{fd, 0, 0};
        if (::poll(&watching, 1, kDrainPollMs) > 0 && (watching.revents & (POLLERR | POLLHUP))) {
            int error = 0;
            socklen_t length = sizeof error;
            ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
            throw AppError(complaints.brokenOff(error != 0 ? error : ECONNRESET));
        }
    }
}

void SendToDevice(const QString &path, const QByteArray &job, const QDeadlineTimer &deadline)
{
    const FileDescriptor device = OpenPrinterDevice(path);
    const Complaints complaints{
        [path] { return QStringLiteral("打印机设备“%1”在 3 秒内没有接收数据，请检查打印机是否缺纸或脱机").arg(path); },
        [path](int error) { return QStringLiteral("向打印机设备“%1”发送数据时中断：%2").arg(path, SystemText(error)); },
        [path] { return TooSlowMessage(path); }};
    // A serial port passes the bytes on unchanged only in raw mode (no newline
    // translation); its speed stays as set up.
    termios mode{};
    if (::isatty(device.get()) && ::tcgetattr(device.get(), &mode) == 0) {
        ::cfmakeraw(&mode);
        ::tcsetattr(device.get(), TCSANOW, &mode);
    }
    const HeldSigpipe held;
    WriteAll(device.get(), job, false, complaints, deadline);
}

// Looks the host up without holding the window past the deadline.
addrinfo *Resolve(const QString &host, int port, const QString &printer, const QDeadlineTimer &deadline)
{
    struct Request
    {
        QByteArray name;
        QByteArray service;
        addrinfo hints{};
        gaicb request{};
    };
    auto *lookup = new Request{host.toUtf8(), QByteArray::number(port)};
    lookup->hints.ai_socktype = SOCK_STREAM;
    lookup->hints.ai_family = AF_UNSPEC;
    lookup->request.ar_name = lookup->name.constData();
    lookup->request.ar_service = lookup->service.constData();
    lookup->request.ar_request = &lookup->hints;
    gaicb *requests[] = {&lookup->request};
    const QString notFound = QStringLiteral("找不到网络打印机“%1”，请检查地址").arg(printer);
    if (::getaddrinfo_a(GAI_NOWAIT, requests, 1, nullptr) != 0) {
        delete lookup;
        throw AppError(notFound);
    }
    const qint64 ms = deadline.remainingTime();
    const timespec timeout{time_t(ms / 1000), long(ms % 1000) * 1000000L};
    ::gai_suspend(requests, 1, &timeout);
    if (::gai_error(&lookup->request) == EAI_INPROGRESS && ::gai_cancel(&lookup->request) == EAI_NOTCANCELED) {
        // The look-up still runs and writes into the request: it is left to finish.
        throw AppError(notFound);
    }
    addrinfo *found = ::gai_error(&lookup->request) == 0 ? lookup->request.ar_result : nullptr;
    delete lookup;
    if (!found)
        throw AppError(notFound);
    return found;
}

// A connected socket, or -1 with the reason in error.
int TryConnect(const addrinfo &address, const QDeadlineTimer &deadline, int &error)
{
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
    error = 0;
    if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
        error = errno;
        if (error == EINPROGRESS) {
            pollfd waiting{fd, POLLOUT, 0};
            const int ready = ::poll(&waiting, 1, int(deadline.remainingTime()));
            socklen_t length = sizeof error;
            if (ready == 0)
                error = ETIMEDOUT;
            else if (ready < 0 || ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = errno;
        }
    }
    if (error == 0)
        return fd;
    ::close(fd);
    return -1;
}

// Tries the host's addresses in turn (a name may stand for an IPv6 and an
// IPv4 address, and the printer listen on one of them only).
int Connect(const addrinfo *addresses, const QString &printer, const QDeadlineTimer &deadline)
{
    int error = ETIMEDOUT;
    for (const addrinfo *address = addresses; address && !deadline.hasExpired(); address = address->ai_next) {
        const int fd = TryConnect(*address, deadline, error);
        if (fd >= 0)
            return fd;
    }
    switch (error) {
    case ECONNREFUSED:
        throw AppError(QStringLiteral("网络打印机“%1”拒绝连接，请检查地址和端口").arg(printer));
    case ETIMEDOUT:
        throw AppError(
            QStringLiteral("网络打印机“%1”在 3 秒内没有响应，请检查打印机是否开机并已连接网络").arg(printer));
    default:
        throw AppError(QStringLiteral("无法连接网络打印机“%1”：%2").arg(printer, SystemText(error)));
    }
}

void SendToNetwork(const EscPosTarget &target, const QByteArray &job, const QDeadlineTimer &deadline)
{
    const QString printer = EscPosTargetText(target).mid(QStringLiteral("tcp://").size());
    // Finding and reaching the printer share one timeout.
    const QDeadlineTimer reaching(kPrinterTimeoutMs);
    const std::unique_ptr<addrinfo, void (*)(addrinfo *)> addresses(
        Resolve(target.host, target.port, printer, reaching), ::freeaddrinfo);
    const FileDescriptor connection(Connect(addresses.get(), printer, reaching));
    const Complaints complaints{
        [printer] {
            return QStringLiteral("网络打印机“%1”在 3 秒内没有接收数据，请检查打印机是否缺纸或脱机").arg(printer);
        },
        [printer](int error) {
            return QStringLiteral("网络打印机“%1”在打印中途断开了连接：%2").arg(printer, SystemText(error));
        },
        [printer] { return TooSlowMessage(printer); }};
    WriteAll(connection.get(), job, true, complaints, deadline);
    WaitUntilAcknowledged(connection.get(), complaints, deadline);
}

void SendToCupsQueue(const QString &queue, const QByteArray &job, const QString &jobName)
{
    QProcess lp;
    lp.start(QStringLiteral("lp"),
             {QStringLiteral("-d"), queue, QStringLiteral("-o"), QStringLiteral("raw"), QStringLiteral("-t"), jobName});
    if (!lp.waitForStarted(kPrinterTimeoutMs))
        throw AppError(QStringLiteral("无法运行 lp 命令，请安装 CUPS 客户端（cups-client）"));
    lp.write(job);
    lp.closeWriteChannel();
    if (!lp.waitForFinished(kPrinterTimeoutMs)) {
        lp.kill();
        lp.waitForFinished();
        throw AppError(QStringLiteral("打印系统在 3 秒内没有接受队列“%1”的打印任务").arg(queue));
    }
    if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0)
        throw AppError(QStringLiteral("打印队列“%1”不接受打印任务：%2")
                           .arg(queue, QString::fromLocal8Bit(lp.readAllStandardError()).trimmed()));
}

} // namespace

qint64 EscPosJobTimeLimitMs(qsizetype bytes)
{
    // A byte on a serial line takes ten bit times: start, eight bits, stop.
    constexpr qint64 kBitsPerByte = 10;
    constexpr qint64 kSlowestBaud = 9600;
    constexpr qint64 kMarginMs = 5000;
    return qint64(bytes) * kBitsPerByte * 1000 / kSlowestBaud + kMarginMs;
}

void SendEscPosJob(const EscPosTarget &target, const QByteArray &job, const QString &jobName,
                   const QDeadlineTimer &deadline)
{
    switch (target.kind) {
    case EscPosTarget::Kind::Device:
        SendToDevice(target.device, job, deadline);
        return;
    case EscPosTarget::Kind::Network:
        SendToNetwork(target, job, deadline);
        return;
    case EscPosTarget::Kind::CupsQueue:
        SendToCupsQueue(target.queue, job, jobName);
        return;
    }
}
