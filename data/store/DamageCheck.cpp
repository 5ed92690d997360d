#include "data/store/DamageCheck.h"

#include "base/AppError.h"
#include "data/store/DataFileHandle.h"
#include "data/store/Session.h"

#include <sqlite3.h>

DamageCheck::DamageCheck(Session &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    connect(&m_session, &Session::aboutToClose, this, &DamageCheck::stop);
}

DamageCheck::~DamageCheck()
{
    stop();
}

void DamageCheck::start()
{
    stop();
    m_stopping = false;
    m_thread = std::thread(&DamageCheck::run, this, m_session.filePath());
}

void DamageCheck::stop()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
        if (m_db)
            sqlite3_interrupt(m_db);
    }
    m_thread.join();
}

void DamageCheck::run(const QString &path)
{
    sqlite3 *db = nullptr;
    try {
        db = DataFile::Open(path);
    } catch (const DataError &) {
        return; // the session itself reports a file it cannot use
    }
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopping) {
            sqlite3_close(db);
            return;
        }
        m_db = db;
    }
    const DataFile::CheckResult result = DataFile::CheckPages(db, DataFile::CheckDepth::Quick);
    {
        const std::lock_guard lock(m_mutex);
        m_db = nullptr;
    }
    sqlite3_close(db);
    if (result == DataFile::CheckResult::Stopped)
        return;
    // Queued to this object's thread; dropped when the object is gone.
    QMetaObject::invokeMethod(
        this,
        [this, path, result] {
            if (result == DataFile::CheckResult::Damaged)
                emit damaged(DataFile::DamageWarning(path));
            emit finished();
        },
        Qt::QueuedConnection);
}
