#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// A receipt printer for tests that keeps every byte it receives, job after
// job: a network printer (a TCP server on a free loopback port) or a device
// file (a named pipe). It can also misbehave the ways real printers do: never
// answer a connection, accept and never read, hang up after the first bytes
// of a job, or read steadily but slowly (about 12 KB/s, with little buffered
// on its side, so that a sender waits for it).
class VirtualEscPosPrinter
{
public:
    enum class Behaviour { Reads, NeverAnswers, NeverReads, HangsUpAfterFirstBytes, ReadsSlowly };

    explicit VirtualEscPosPrinter(Behaviour behaviour = Behaviour::Reads);
    // A device file: a named pipe made at `devicePath`, read (steadily, slowly
    // or hanging up after the first bytes) until the printer is destroyed.
    explicit VirtualEscPosPrinter(const QString &devicePath, Behaviour behaviour = Behaviour::Reads);
    ~VirtualEscPosPrinter();
    VirtualEscPosPrinter(const VirtualEscPosPrinter &) = delete;
    VirtualEscPosPrinter &operator=(const VirtualEscPosPrinter &) = delete;

    int port() const { return m_port; }
    // "tcp://127.0.0.1:PORT", or the device file's path.
    QString target() const;
    // Every byte received, all jobs in order, waiting up to 5 s for a job's
    // last bytes: on the network until `jobs` connections have ended, on a
    // device file until the pipe is empty with no one writing to it.
    QByteArray received(int jobs);
    int connections() { return m_connections; }

private:
    void serve();
    void serveDevice();
    void readConnection(int fd);
    // Reads what there is into m_received, in small pieces when reading slowly.
    ssize_t readSome(int fd);
    void startThread(void (VirtualEscPosPrinter::*serving)());

    Behaviour m_behaviour;
    QString m_devicePath;
    int m_listener = -1;
    int m_device = -1;
    int m_port = 0;
    int m_wakeUp[2] = {-1, -1};
    std::vector<int> m_queueFillers;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    QByteArray m_received;
    std::atomic<int> m_connections{0};
    int m_ended = 0;
    std::atomic<int> m_foundIdle{0}; // times the device file was found empty with no writer
    std::thread m_thread;
};

// A port on the loopback interface where nothing listens.
int UnusedLoopbackPort();
