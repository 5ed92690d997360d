#include "data/SalesUploader.h"

#include "data/AppError.h"
#include "data/Connection.h"
#include "data/Outbox.h"

#include <algorithm>

namespace {
constexpr int kFirstRetryMs = 2000;
constexpr int kLongestRetryMs = 60000;
} // namespace

SalesUploader::SalesUploader(Connection &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    m_retry.setInterval(kFirstRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &SalesUploader::uploadNow);
    connect(&m_session, &Connection::saleQueued, this, &SalesUploader::uploadNow);
    connect(&m_session, &Connection::opened, this, &SalesUploader::uploadNow);
}

void SalesUploader::uploadNow()
{
    if (!m_session.hasServer() || !m_session.isOpen())
        return;
    QString problem;
    try {
        Outbox::Upload(m_session);
    } catch (const DataError &error) {
        problem = error.message(); // the sales keep waiting; the counter shows how many and why
    }
    int pending = m_pending;
    try {
        pending = Outbox::Pending(m_session);
    } catch (const DataError &error) {
        problem = error.message();
    }
    m_retry.setInterval(problem.isEmpty() ? kFirstRetryMs : std::min(m_retry.interval() * 2, kLongestRetryMs));
    if (pending > 0)
        m_retry.start();
    else
        m_retry.stop();
    if (pending != m_pending || problem != m_problem) {
        m_pending = pending;
        m_problem = problem;
        emit changed();
    }
}
