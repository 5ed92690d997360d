#include "tests/support/VirtualEscPosPrinter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The smallest receive buffer the kernel allows, so that a printer that
// stops reading stalls the sender after a few kilobytes.
constexpr int kTinyReceiveBuffer = 1;
// A slow reader takes this much, then pauses.
constexpr size_t kSlowChunk = 256;
constexpr int kSlowPauseMs = 20;

int ListenOnLoopback(int receiveBuffer, int backlog, int &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket() failed");
    if (receiveBuffer > 0)
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), length) != 0 || ::listen(fd, backlog) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot listen on the loopback interface");
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

VirtualEscPosPrinter::VirtualEscPosPrinter(Behaviour behaviour)
    : m_behaviour(behaviour)
{
    if (behaviour == Behaviour::NeverAnswers) {
        // A full queue of connections that are never taken: the system drops
        // any further request unanswered.
        m_listener = ListenOnLoopback(0, 0, m_port);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(uint16_t(m_port));
        for (int i = 0; i < 3; ++i) {
            m_queueFillers.push_back(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
            ::connect(m_queueFillers.back(), reinterpret_cast<sockaddr *>(&address), sizeof address);
        }
        QThread::msleep(50);
        return;
    }
    m_listener = ListenOnLoopback(behaviour == Behaviour::Reads ? 0 : kTinyReceiveBuffer, 8, m_port);
    startThread(&VirtualEscPosPrinter::serve);
}

VirtualEscPosPrinter::VirtualEscPosPrinter(const QString &devicePath, Behaviour behaviour)
    : m_behaviour(behaviour)
    , m_devicePath(devicePath)
{
    const QByteArray name = QFile::encodeName(devicePath);
    if (::mkfifo(name.constData(), 0600) != 0)
        throw std::runtime_error("mkfifo failed");
    m_device = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (behaviour == Behaviour::ReadsSlowly)
        ::fcntl(m_device, F_SETPIPE_SZ, 4096);
    startThread(&VirtualEscPosPrinter::serveDevice);
}

void VirtualEscPosPrinter::startThread(void (VirtualEscPosPrinter::*serving)())
{
    if (::pipe2(m_wakeUp, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe2() failed");
    m_thread = std::thread(serving, this);
}

VirtualEscPosPrinter::~VirtualEscPosPrinter()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        const char wake = 0;
        [[maybe_unused]] const auto written = ::write(m_wakeUp[1], &wake, 1);
        m_thread.join();
        ::close(m_wakeUp[0]);
        ::close(m_wakeUp[1]);
    }
    for (int fd : m_queueFillers)
        ::close(fd);
    if (m_listener >= 0)
        ::close(m_listener);
}

QString VirtualEscPosPrinter::target() const
{
    return m_devicePath.isEmpty() ? QStringLiteral("tcp://127.0.0.1:%1").arg(m_port) : m_devicePath;
}

QByteArray VirtualEscPosPrinter::received(int jobs)
{
    QElapsedTimer timer;
    timer.start();
    const int idleBefore = m_foundIdle;
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            // The second look at an idle pipe began after this call did.
            const bool done = m_devicePath.isEmpty() ? m_ended >= jobs : m_foundIdle >= idleBefore + 2;
            if (done || timer.elapsed() > 5000)
                return m_received;
        }
        QThread::msleep(1);
    }
}

void VirtualEscPosPrinter::serve()
{
    std::vector<int> kept; // connections that are never read stay open
    while (!m_stopping) {
        pollfd waiting[2] = {{m_listener, POLLIN, 0}, {m_wakeUp[0], POLLIN, 0}};
        if (::poll(waiting, 2, -1) <= 0 || (waiting[1].revents & POLLIN))
            break;
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        ++m_connections;
        if (m_behaviour == Behaviour::NeverReads) {
            kept.push_back(fd);
            continue;
        }
        readConnection(fd);
    }
    for (int fd : kept)
        ::close(fd);
}

ssize_t VirtualEscPosPrinter::readSome(int fd)
{
    char buffer[65536];
    const bool slow = m_behaviour == Behaviour::ReadsSlowly;
    const ssize_t n = ::read(fd, buffer, slow ? kSlowChunk : sizeof buffer);
    if (n > 0) {
        const std::lock_guard lock(m_mutex);
        m_received.append(buffer, n);
    }
    if (n > 0 && slow) { // a pause that stopping cuts short
        pollfd pausing{m_wakeUp[0], POLLIN, 0};
        ::poll(&pausing, 1, kSlowPauseMs);
    }
    return n;
}

void VirtualEscPosPrinter::readConnection(int fd)
{
    for (;;) {
        pollfd waiting[2] = {{fd, POLLIN, 0}, {m_wakeUp[0], POLLIN, 0}};
        if (::poll(waiting, 2, -1) <= 0 || (waiting[1].revents & POLLIN) || readSome(fd) <= 0
            || m_behaviour == Behaviour::HangsUpAfterFirstBytes)
            break;
    }
    // Closing with bytes unread resets the connection, as a printer that is
    // switched off mid-job does.
    ::close(fd);
    const std::lock_guard lock(m_mutex);
    ++m_ended;
}

void VirtualEscPosPrinter::serveDevice()
{
    // A pipe whose writer has gone keeps reporting the hang-up, so it is
    // looked at every few milliseconds rather than waited on.
    for (;;) {
        pollfd waiting[2] = {{m_device, POLLIN, 0}, {m_wakeUp[0], POLLIN, 0}};
        ::poll(waiting, 2, 10);
        const ssize_t n = readSome(m_device);
        if (n > 0 && m_behaviour == Behaviour::HangsUpAfterFirstBytes)
            break;
        if (n > 0)
            continue;
        if (m_stopping)
            break;
        if (n == 0) { // empty, and no one writing
            ++m_foundIdle;
            QThread::msleep(1);
        }
    }
    ::close(m_device);
}

int UnusedLoopbackPort()
{
    int port = 0;
    const int fd = ListenOnLoopback(0, 1, port);
    ::close(fd);
    return port;
}
