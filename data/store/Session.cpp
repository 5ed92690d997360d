#include "data/store/Session.h"

#include "base/AppError.h"
#include "data/store/DataFile.h"
#include "data/store/EngineError.h"
#include "data/store/InstanceLock.h"
#include "data/store/Schema.h"
#include "data/store/ServerLink.h"
#include "data/store/ServerSettings.h"

#include <sqlite3.h>

Session::Session(QObject *parent)
    : QObject(parent)
{ }

Session::~Session()
{
    close();
    // An opening begun but never finished: the program ends before it needed the file.
    if (m_opening.valid()) {
        try {
            sqlite3_close_v2(m_opening.get());
        } catch (const DataError &) {
            // Nobody asked for this session; its refusal has no one to be shown to.
        }
    }
}

void Session::setConnectionString(const QString &path)
{
    m_path = path;
    m_refusal.clear();
}

QString Session::filePath() const
{
    return m_path.isEmpty() ? DataFile::Path() : m_path;
}

void Session::holdFile()
{
    auto lock = std::make_unique<InstanceLock>(filePath());
    lock->acquire();
    m_fileLock = std::move(lock);
}

void Session::connectToFile()
{
    if (m_db)
        return;
    if (!m_refusal.isEmpty())
        throw DataError(m_refusal);
    take([this] { return DataFile::Open(filePath()); });
}

void Session::take(const std::function<sqlite3 *()> &opening)
{
    try {
        m_db = opening();
        if (m_server)
            addCounterTables();
    } catch (const DataBusyError &) {
        throw; // the file may be free at the next attempt
    } catch (const DataError &error) {
        m_refusal = error.message();
        throw;
    }
}

void Session::addCounterTables()
{
    try {
        for (const QString &statement : Schema::CounterTableStatements())
            exec(statement);
    } catch (const DataError &) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

bool Session::isOpen() const
{
    return m_link ? m_link->isConnected() : m_db != nullptr;
}

void Session::useServer(const ServerSettings &settings)
{
    m_server.reset(new Session);
    m_server->m_link = std::make_unique<ServerLink>(settings.url);
    m_counter = settings.counter;
}

QString Session::serverUrl() const
{
    return m_server ? m_server->m_link->url() : QString();
}

Session &Session::in(Store store)
{
    return store == Store::Shared && m_server ? *m_server : *this;
}

void Session::open()
{
    if (m_link) {
        m_link->connect();
        emit opened();
        return;
    }
    if (m_db)
        return;
    m_refusal.clear();
    connectToFile();
    emit opened();
}

void Session::openOrCreate()
{
    if (!m_db)
        DataFile::CreateIfMissing(filePath());
    open();
}

void Session::beginOpening()
{
    if (m_db || m_opening.valid())
        return;
    m_opening = std::async(std::launch::async, [path = filePath()] {
        DataFile::CreateIfMissing(path);
        return DataFile::Open(path);
    });
}

void Session::finishOpening()
{
    if (!m_opening.valid()) {
        openOrCreate();
        return;
    }
    m_refusal.clear();
    take([this] { return m_opening.get(); });
    emit opened();
}

void Session::close()
{
    if (m_link) {
        m_link->disconnect();
        return;
    }
    if (!m_db)
        return;
    emit aboutToClose();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

qint64 Session::insert(const QString &sql, const std::vector<QVariant> &params, const QString &table)
{
    if (!m_link) {
        exec(sql, params);
        return sqlite3_last_insert_rowid(m_db);
    }
    Statement inserted(*this, sql + QStringLiteral(" RETURNING ") + rowIdColumn(table), params);
    return inserted.step() ? inserted.value(0).toLongLong() : 0;
}

QString Session::rowIdColumn(const QString &table) const
{
    return m_link ? Schema::ServerRowIdColumn(table) : QStringLiteral("rowid");
}

sqlite3 *Session::handle()
{
    if (m_link)
        throw DataError(QStringLiteral("The server's connection has no data file"));
    connectToFile();
    return m_db;
}

int Session::exec(const QString &sql, const std::vector<QVariant> &params)
{
    Statement statement(*this, sql, params);
    while (statement.step()) { }
    return statement.changes();
}

Transaction::Transaction(Session &connection)
    : m_connection(connection)
{
    m_connection.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_done || !m_connection.isOpen())
        return;
    if (ServerLink *link = m_connection.link()) {
        try {
            link->run(QStringLiteral("ROLLBACK"));
        } catch (const DataError &) {
            // The link broke: the server has dropped the transaction with it.
        }
        return;
    }
    sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    m_connection.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

Statement::Statement(Session &connection, const QString &sql, const std::vector<QVariant> &params)
    : m_connection(connection)
{
    if (ServerLink *link = connection.link()) {
        m_result = link->run(sql, params);
        return;
    }
    sqlite3 *db = connection.handle();
    const QByteArray text = sql.toUtf8();
    const int prepared = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, nullptr);
    if (prepared != SQLITE_OK)
        ThrowEngineError(db, prepared, connection.filePath());
    const int count = std::min<int>(int(params.size()), sqlite3_bind_parameter_count(m_stmt));
    for (int i = 0; i < count; ++i) {
        const QVariant &value = params[size_t(i)];
        int rc = SQLITE_OK;
        if (value.isNull()) {
            rc = sqlite3_bind_null(m_stmt, i + 1);
        } else if (value.typeId() == QMetaType::Double) {
            rc = sqlite3_bind_double(m_stmt, i + 1, value.toDouble());
        } else if (value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong) {
            rc = sqlite3_bind_int64(m_stmt, i + 1, value.toLongLong());
        } else {
            const QByteArray bytes = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, i + 1, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            ThrowEngineError(db, rc, connection.filePath());
    }
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

bool Statement::step()
{
    if (m_result)
        return ++m_row < m_result->rowCount();
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    ThrowEngineError(m_connection.handle(), rc, m_connection.filePath());
}

int Statement::columnCount() const
{
    return m_result ? m_result->columnCount() : sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return m_result ? m_result->columnName(i) : QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QString Statement::declaredType(int i) const
{
    return m_result ? m_result->declaredType(i) : QString::fromUtf8(sqlite3_column_decltype(m_stmt, i));
}

int Statement::changes() const
{
    return m_result ? m_result->changes() : sqlite3_changes(m_connection.handle());
}

QVariant Statement::value(int i) const
{
    if (m_result)
        return m_result->value(m_row, i);
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
