#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <mutex>
#include <thread>

class Session;
struct sqlite3;

// Looks for damage in the session's data file (the engine's quick check) on a
// thread and a connection of its own, so the windows come up without waiting
// for it. The check stops when the session closes, before a restore replaces
// the file, and when the check is destroyed.
class DamageCheck : public QObject
{
    Q_OBJECT
public:
    explicit DamageCheck(Session &session, QObject *parent = nullptr);
    ~DamageCheck() override;

    void start();
    void stop(); // ends a running check and waits for its thread

signals:
    // On the thread that started the check, with the warning to show: it
    // names the file and advises restoring a backup.
    void damaged(const QString &warning);
    void finished(); // after every check that ran to its end

private:
    void run(const QString &path);

    Session &m_session;
    std::thread m_thread;
    std::mutex m_mutex;
    sqlite3 *m_db = nullptr; // guarded by m_mutex: what stop() interrupts
    std::atomic<bool> m_stopping = false;
};
