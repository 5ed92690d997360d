#pragma once

#include "data/store/DataStore.h"
#include "data/store/FileMaintenance.h"

#include <QString>

#include <functional>
#include <future>
#include <memory>

struct sqlite3;
class InstanceLock;

// The counter's own encrypted data file, through one engine handle. It is
// opened and closed by its session; a statement connects first when needed,
// and a file once refused is refused again without being touched, except one
// that was only busy.
class FileStore : public DataStore
{
public:
    FileStore();
    ~FileStore() override;

    QString path() const; // the file it opens: the data file when none was set

    qint64 insert(const QString &sql, const std::vector<QVariant> &params, const QString &table) override;
    QString rowIdColumn(const QString &table) const override;
    QString allColumns(const QString &table) const override;
    bool keepsRowOrder() const override { return true; }
    QString orderOfKey(bool ascending) const override
    {
        return ascending ? QStringLiteral("asc") : QStringLiteral("desc");
    }
    bool isOpen() const override { return m_db != nullptr; }

    // The receipt prints between the writing of a sale and its commit: this
    // takes now whatever the commit needs of the disk, so that a full disk
    // stops the sale before anything is printed. Throws DataError.
    void reserveCommit();

    FileStore(const FileStore &) = delete;
    FileStore &operator=(const FileStore &) = delete;

protected:
    std::unique_ptr<EngineStatement> prepare(const QString &sql, const std::vector<QVariant> &params) override;

private:
    // The session decides when the file opens and closes, and announces it.
    friend class Session;
    // A copy reads the file through this very handle, and a restored file
    // takes over its lock.
    friend void FileMaintenance::CopyDataFile(Session &source, const QString &target);
    friend void FileMaintenance::ReplaceDataFile(const QString &source, Session &session);

    void setPath(const QString &path); // while closed
    void hold();
    // Beside a server the file also keeps the outbox and the last ticket number.
    void keepCounterTables() { m_counterTables = true; }
    void open();
    void openOrCreate();
    void beginOpening();
    void finishOpening();
    void close();

    sqlite3 *handle(); // connects first when needed
    void connect();
    // Takes the handle `opening` gives, remembering why a file was refused
    // (a file that was only busy may be tried again).
    void take(const std::function<sqlite3 *()> &opening);
    void addCounterTables();

    QString m_path;
    std::unique_ptr<InstanceLock> m_lock; // closed after the engine's handle
    sqlite3 *m_db = nullptr;
    QString m_refusal; // why the file was refused; empty when it was not
    std::future<sqlite3 *> m_opening; // begun by beginOpening()
    bool m_counterTables = false;
};
