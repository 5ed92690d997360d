#include "data/store/FileStore.h"

#include "base/AppError.h"
#include "data/store/DataFileHandle.h"
#include "data/store/EngineError.h"
#include "data/store/InstanceLock.h"
#include "data/store/Schema.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

// A statement prepared on the file's handle; its rows are read as stepped.
class FileStatement : public EngineStatement
{
public:
    FileStatement(sqlite3 *db, const QString &path, const QString &sql, const std::vector<QVariant> &params)
        : m_db(db)
        , m_path(path)
    {
        const QByteArray text = sql.toUtf8();
        const int prepared = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
        if (prepared != SQLITE_OK)
            ThrowEngineError(db, prepared, path);
        const int count = std::min<int>(int(params.size()), sqlite3_bind_parameter_count(m_stmt));
        for (int i = 0; i < count; ++i)
            if (const int rc = bind(i + 1, params[size_t(i)]); rc != SQLITE_OK)
                ThrowEngineError(db, rc, path);
    }
    ~FileStatement() override { sqlite3_finalize(m_stmt); }

    bool step() override
    {
        const int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        ThrowEngineError(m_db, rc, m_path);
    }
    int columnCount() const override { return sqlite3_column_count(m_stmt); }
    QString columnName(int i) const override { return QString::fromUtf8(sqlite3_column_name(m_stmt, i)); }
    QString declaredType(int i) const override { return QString::fromUtf8(sqlite3_column_decltype(m_stmt, i)); }
    int changes() const override { return sqlite3_changes(m_db); }

    QVariant value(int i) const override
    {
        switch (sqlite3_column_type(m_stmt, i)) {
        case SQLITE_INTEGER:
            return QVariant(qint64(sqlite3_column_int64(m_stmt, i)));
        case SQLITE_FLOAT:
            return QVariant(sqlite3_column_double(m_stmt, i));
        case SQLITE_NULL:
            return {};
        default: {
            const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, i));
            return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, i)));
        }
        }
    }

private:
    int bind(int position, const QVariant &value)
    {
        if (value.isNull())
            return sqlite3_bind_null(m_stmt, position);
        if (value.typeId() == QMetaType::Double)
            return sqlite3_bind_double(m_stmt, position, value.toDouble());
        if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
            return sqlite3_bind_int64(m_stmt, position, value.toLongLong());
        const QByteArray bytes = value.toString().toUtf8();
        return sqlite3_bind_text(m_stmt, position, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }

    sqlite3 *m_db;
    QString m_path;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace

FileStore::FileStore() = default;

FileStore::~FileStore()
{
    close();
    // An opening begun but never finished: the program ends before it needed the file.
    if (m_opening.valid()) {
        try {
            sqlite3_close_v2(m_opening.get());
        } catch (const DataError &) {
            // Nobody asked for this file; its refusal has no one to be shown to.
        }
    }
}

void FileStore::setPath(const QString &path)
{
    m_path = path;
    m_refusal.clear();
}

QString FileStore::path() const
{
    return m_path.isEmpty() ? DataFile::Path() : m_path;
}

void FileStore::hold()
{
    auto lock = std::make_unique<InstanceLock>(path());
    lock->acquire();
    m_lock = std::move(lock);
}

void FileStore::open()
{
    if (m_db)
        return;
    m_refusal.clear();
    connect();
}

void FileStore::openOrCreate()
{
    if (!m_db)
        DataFile::CreateIfMissing(path());
    open();
}

void FileStore::beginOpening()
{
    if (m_db || m_opening.valid())
        return;
    m_opening = std::async(std::launch::async, [path = path()] {
        DataFile::CreateIfMissing(path);
        return DataFile::Open(path);
    });
}

void FileStore::finishOpening()
{
    if (!m_opening.valid()) {
        openOrCreate();
        return;
    }
    m_refusal.clear();
    take([this] { return m_opening.get(); });
}

void FileStore::close()
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

void FileStore::connect()
{
    if (m_db)
        return;
    if (!m_refusal.isEmpty())
        throw DataError(m_refusal);
    take([this] { return DataFile::Open(path()); });
}

void FileStore::take(const std::function<sqlite3 *()> &opening)
{
    try {
        m_db = opening();
        if (m_counterTables)
            addCounterTables();
    } catch (const DataBusyError &) {
        throw; // the file may be free at the next attempt
    } catch (const DataError &error) {
        m_refusal = error.message();
        throw;
    }
}

void FileStore::addCounterTables()
{
    try {
        for (const QString &statement : Schema::CounterTableStatements())
            exec(statement);
    } catch (const DataError &) {
        close();
        throw;
    }
}

sqlite3 *FileStore::handle()
{
    connect();
    return m_db;
}

std::unique_ptr<EngineStatement> FileStore::prepare(const QString &sql, const std::vector<QVariant> &params)
{
    sqlite3 *db = handle();
    return std::make_unique<FileStatement>(db, path(), sql, params);
}

qint64 FileStore::insert(const QString &sql, const std::vector<QVariant> &params, const QString &)
{
    exec(sql, params);
    return sqlite3_last_insert_rowid(m_db);
}

QString FileStore::rowIdColumn(const QString &) const
{
    return QStringLiteral("rowid");
}

QString FileStore::allColumns(const QString &) const
{
    return QStringLiteral("*");
}

// The header page goes into the journal first (the commit rewrites it, and
// would otherwise grow the journal then); writing the changed pages out syncs
// the journal and grows the file to its new size.
void FileStore::reserveCommit()
{
    const qint64 version = [this] {
        Statement read(*this, QStringLiteral("PRAGMA user_version"));
        read.step();
        return read.value(0).toLongLong();
    }();
    exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
    sqlite3 *db = handle();
    if (const int rc = sqlite3_db_cacheflush(db); rc != SQLITE_OK)
        ThrowEngineError(db, rc, path());
}
