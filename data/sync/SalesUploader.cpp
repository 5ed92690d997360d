#include "data/sync/SalesUploader.h"

#include "base/AppError.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr int kFirstRetryMs = 2000;
constexpr int kLongestRetryMs = 10000;
} // namespace

SalesUploader::SalesUploader(Session &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    connect(&m_session, &Session::saleQueued, this, &SalesUploader::uploadNow);
    connect(&m_session, &Session::opened, this, &SalesUploader::start);
    connect(&m_session, &Session::aboutToClose, this, &SalesUploader::stop);
}

SalesUploader::~SalesUploader()
{
    stop();
}

void SalesUploader::uploadNow()
{
    const std::lock_guard lock(m_mutex);
    m_wanted = true;
    m_wake.notify_one();
}

void SalesUploader::start()
{
    if (!m_session.hasServer() || m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = false;
        m_wanted = true;
    }
    m_thread = std::thread(&SalesUploader::run, this, ServerSettings{m_session.serverUrl(), m_session.counterNumber()},
                           m_session.filePath());
}

void SalesUploader::stop()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_wake.notify_one();
    }
    m_thread.join();
}

bool SalesUploader::stopping()
{
    const std::lock_guard lock(m_mutex);
    return m_stopping;
}

void SalesUploader::run(const ServerSettings &settings, const QString &path)
{
    Session own;
    own.setConnectionString(path);
    own.useServer(settings);
    Outbox::Counts counts;
    int retryMs = kFirstRetryMs;
    for (;;) {
        QString problem;
        sendWaiting(own, counts, problem);
        post(counts, problem);
        // Waits longer after each failed attempt, up to ten seconds; without
        // a sale waiting, until the next sale.
        retryMs = problem.isEmpty() ? kFirstRetryMs : std::min(retryMs * 2, kLongestRetryMs);
        const bool again = counts.waiting > 0 || !problem.isEmpty();
        std::unique_lock lock(m_mutex);
        const auto asked = [this] { return m_wanted || m_stopping; };
        if (again)
            m_wake.wait_for(lock, std::chrono::milliseconds(retryMs), asked);
        else
            m_wake.wait(lock, asked);
        if (m_stopping)
            return;
        m_wanted = false;
    }
}

void SalesUploader::sendWaiting(Session &own, Outbox::Counts &counts, QString &problem)
{
    try {
        // The sender sees the file's committed sales only; a file busy with a
        // checkout is tried again at the next round.
        Outbox::Upload(own, [&] {
            counts = Outbox::Count(own);
            post(counts, {});
            return !stopping();
        });
    } catch (const AppError &error) {
        problem = error.message(); // the sales keep waiting; the counter shows how many and why
    }
    try {
        counts = Outbox::Count(own);
    } catch (const AppError &error) {
        problem = error.message();
    }
}

// Queued to this object's thread; dropped when the object is gone.
void SalesUploader::post(const Outbox::Counts &counts, const QString &problem)
{
    QMetaObject::invokeMethod(
        this,
        [this, counts, problem] {
            if (counts.waiting == m_counts.waiting && counts.setAside == m_counts.setAside && problem == m_problem)
                return;
            m_counts = counts;
            m_problem = problem;
            emit changed();
        },
        Qt::QueuedConnection);
}
