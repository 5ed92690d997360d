#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <future>

class Connection;

// Sends the sales waiting in the outbox to the shop's server: right after each
// sale, and every few seconds while some wait, so that they go up as soon as
// the server answers again. While there is no link to the server, whether it
// answers is first asked on a worker thread, so that a server that does not
// even refuse never holds up the counter. Does nothing for a shop without a server.
class SalesUploader : public QObject
{
    Q_OBJECT
public:
    explicit SalesUploader(Connection &session, QObject *parent = nullptr);
    ~SalesUploader() override;

    void uploadNow();
    int pending() const { return m_pending; }
    QString lastProblem() const { return m_problem; } // why the last attempt failed; empty when it did not

signals:
    void changed(); // the number waiting or the last problem changed

private:
    void upload();
    void takeAnswer(); // the worker's answer, once it has one
    void settle(QString problem); // counts what still waits, and tries again later while some does

    Connection &m_session;
    QTimer m_retry; // waits longer after each failed attempt, up to ten seconds
    QTimer m_answerCheck;
    std::future<bool> m_answer; // does the server answer? asked on a worker thread
    int m_pending = 0;
    QString m_problem;
};
