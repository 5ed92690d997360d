#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class Connection;

// Sends the sales waiting in the outbox to the shop's server: right after each
// sale, and every few seconds while some wait, so that they go up as soon as
// the server answers again. Does nothing for a shop without a server.
class SalesUploader : public QObject
{
    Q_OBJECT
public:
    explicit SalesUploader(Connection &session, QObject *parent = nullptr);

    void uploadNow();
    int pending() const { return m_pending; }
    QString lastProblem() const { return m_problem; } // why the last attempt failed; empty when it did not

signals:
    void changed(); // the number waiting or the last problem changed

private:
    Connection &m_session;
    QTimer m_retry; // waits longer after each failed attempt, up to a minute
    int m_pending = 0;
    QString m_problem;
};
