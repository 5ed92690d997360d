#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// A network receipt printer for tests: a TCP server on a free loopback port
// that keeps every byte it receives, connection after connection. It can
// also misbehave the ways real printers do: never answer a connection,
// accept and never read, hang up after the first bytes of a job, or read
// steadily but slowly (about 100 KB/s, with little buffered on its side).
class VirtualEscPosPrinter
{
public:
    enum class Behaviour { Reads, NeverAnswers, NeverReads, HangsUpAfterFirstBytes, ReadsSlowly };

    explicit VirtualEscPosPrinter(Behaviour behaviour = Behaviour::Reads);
    ~VirtualEscPosPrinter();
    VirtualEscPosPrinter(const VirtualEscPosPrinter &) = delete;
    VirtualEscPosPrinter &operator=(const VirtualEscPosPrinter &) = delete;

    int port() const { return m_port; }
    // "tcp://127.0.0.1:PORT"
    QString target() const;
    // Every byte received, all connections in order, once `jobs` connections
    // have ended (waiting up to 5 s for them: a job's last bytes may still be
    // on their way when the sender returns).
    QByteArray received(int jobs);
    int connections();

private:
    void serve();
    void readConnection(int fd);

    Behaviour m_behaviour;
    int m_listener = -1;
    int m_port = 0;
    int m_wakeUp[2] = {-1, -1};
    std::vector<int> m_queueFillers;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    QByteArray m_received;
    int m_connections = 0;
    int m_ended = 0;
    std::thread m_thread;
};

// A port on the loopback interface where nothing listens.
int UnusedLoopbackPort();
