#include "data/SalesUploader.h"

#include "data/AppError.h"
#include "data/Connection.h"
#include "data/Outbox.h"
#include "data/ServerLink.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr int kFirstRetryMs = 2000;
constexpr int kLongestRetryMs = 10000;
constexpr int kAnswerCheckMs = 50;
} // namespace

SalesUploader::SalesUploader(Connection &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    m_retry.setInterval(kFirstRetryMs);
    m_answerCheck.setInterval(kAnswerCheckMs);
    connect(&m_retry, &QTimer::timeout, this, &SalesUploader::uploadNow);
    connect(&m_answerCheck, &QTimer::timeout, this, &SalesUploader::takeAnswer);
    connect(&m_session, &Connection::saleQueued, this, &SalesUploader::uploadNow);
    connect(&m_session, &Connection::opened, this, &SalesUploader::uploadNow);
}

// A question still with the worker is waited for: the server's own time limit bounds it.
SalesUploader::~SalesUploader() = default;

void SalesUploader::uploadNow()
{
    if (!m_session.hasServer() || !m_session.isOpen() || m_answer.valid())
        return;
    if (m_session.in(Store::Shared).isOpen()) {
        upload();
        return;
    }
    m_answer = std::async(std::launch::async, ServerAnswers, m_session.serverUrl());
    m_answerCheck.start();
}

void SalesUploader::takeAnswer()
{
    if (m_answer.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        return;
    m_answerCheck.stop();
    if (m_answer.get())
        upload();
    else
        settle(QStringLiteral("无法连接数据库服务器，请检查网络和服务器后再试。"));
}

void SalesUploader::upload()
{
    QString problem;
    try {
        Outbox::Upload(m_session);
    } catch (const DataError &error) {
        problem = error.message(); // the sales keep waiting; the counter shows how many and why
    }
    settle(problem);
}

void SalesUploader::settle(QString problem)
{
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
