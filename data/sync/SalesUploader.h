#pragma once

#include "data/sync/Outbox.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <mutex>
#include <thread>

class Session;
struct ServerSettings;

// Sends the sales waiting in the outbox to the shop's server: right after each
// sale, and every few seconds while some wait, so that they go up as soon as
// the server answers again. It works on a thread of its own, with its own
// connection to the counter's file and its own link to the server, so the
// window never waits for the server and only sales whose checkout committed
// are seen. It stops while the session is closed (a restore replaces the
// file). Does nothing for a shop without a server.
class SalesUploader : public QObject
{
    Q_OBJECT
public:
    explicit SalesUploader(Session &session, QObject *parent = nullptr);
    ~SalesUploader() override;

    void uploadNow();
    int pending() const { return m_counts.waiting; }
    int setAside() const { return m_counts.setAside; } // refused by the server, kept for the owner
    QString lastProblem() const { return m_problem; } // why the last attempt failed; empty when it did not

signals:
    void changed(); // on the session's thread: the counts or the last problem changed

private:
    void start();
    void stop(); // ends the sending after the sale in hand and waits for the thread
    void run(const ServerSettings &settings, const QString &path);
    // One round on the thread: sends what waits, reporting the counts as they fall.
    void sendWaiting(Session &own, Outbox::Counts &counts, QString &problem);
    void post(const Outbox::Counts &counts, const QString &problem);
    bool stopping();

    Session &m_session;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_wanted = false; // guarded by m_mutex: a round was asked for
    bool m_stopping = false; // guarded by m_mutex
    // As last reported, on the session's thread.
    Outbox::Counts m_counts;
    QString m_problem;
};
