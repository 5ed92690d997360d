#include "data/store/ServerLink.h"

#include "data/store/Schema.h"
#include "data/store/ServerAddress.h"
#include "data/store/ServerTables.h"

#include <QRegularExpression>

#include <libpq-fe.h>

namespace {

// Type numbers of the server's built-in types.
constexpr Oid kInt2 = 21, kInt4 = 23, kInt8 = 20, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;
// The key of the lock that serialises the creation of the tables when several
// counters meet an empty server at once; any number no other program uses.
constexpr qint64 kCreationLock = 530418;
// How long a server that could not be reached counts as away without being asked again.
constexpr int kAwayMs = 1000;
// A server that does not answer is given up on after this many seconds.
constexpr const char *kConnectTimeout = "3";
// No statement of the counter's holds it up longer than this, waiting for a
// lock included: a table another session keeps locked is reported, not waited for.
constexpr int kStatementTimeoutSeconds = 5;

bool IsInteger(Oid type)
{
    return type == kInt2 || type == kInt4 || type == kInt8;
}

bool IsReal(Oid type)
{
    return type == kFloat4 || type == kFloat8 || type == kNumeric;
}

// The statement failed because the link did, not because the server refused
// it: the connection is gone; libpq's own errors carry no SQLSTATE (a server
// that stopped mid-way can leave the connection looking good); class 08 is a
// connection exception (but 08P01, a statement the protocol refused); 57P01 to
// 57P03 a server shutting down or starting.
bool LinkBroke(pg_conn *conn, const pg_result *result)
{
    if (PQstatus(conn) != CONNECTION_OK)
        return true;
    const QByteArray state(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    return state.isEmpty() || (state.startsWith("08") && state != "08P01") || state == "57P01" || state == "57P02"
        || state == "57P03";
}

// The server gave up on the statement for now, for a reason that passes: its
// time limit (57014) or a lock not granted (55P03), a transaction rolled back
// to break a deadlock or a conflict (class 40), resources running out (class 53).
QString PassingRefusal(const pg_result *result)
{
    const QByteArray state(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    if (state == "57014" || state == "55P03")
        return QStringLiteral("数据库服务器在 %1 秒内没有完成操作，可能有数据表正被其他会话锁住，请稍后再试。")
            .arg(kStatementTimeoutSeconds);
    if (state == "53100")
        return QStringLiteral("数据库服务器的磁盘已满，请清理服务器的磁盘后再试。");
    if (state.startsWith("40") || state.startsWith("53"))
        return QStringLiteral("数据库服务器暂时无法完成操作，请稍后再试。");
    return {};
}

} // namespace

QString ServerDialect(const QString &statement)
{
    static const QRegularExpression parameter(QStringLiteral("\\?(\\d+)"));
    static const QRegularExpression instr(QStringLiteral("\\binstr\\("), QRegularExpression::CaseInsensitiveOption);
    // The file's engine ignores ASCII case in like; so does ilike under byte order.
    static const QRegularExpression like(QStringLiteral("\\blike\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression begin(QStringLiteral("^BEGIN IMMEDIATE$"));
    // The file's engine puts NULL before every value; an order written out as
    // ascending or descending keeps that on the server, which puts it after
    // every value; an order that says where nulls go is left as it is.
    static const QRegularExpression ascending(QStringLiteral("\\basc\\b(?!\\s+nulls\\b)"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression descending(QStringLiteral("\\bdesc\\b(?!\\s+nulls\\b)"),
                                               QRegularExpression::CaseInsensitiveOption);
    QString sql = statement;
    sql.replace(parameter, QStringLiteral("$\\1"));
    sql.replace(instr, QStringLiteral("strpos("));
    sql.replace(like, QStringLiteral("ilike"));
    sql.replace(begin, QStringLiteral("BEGIN"));
    sql.replace(ascending, QStringLiteral("asc nulls first"));
    sql.replace(descending, QStringLiteral("desc nulls last"));
    return sql;
}

ServerResult::ServerResult(pg_result *result)
    : m_result(result)
{ }

ServerResult::~ServerResult()
{
    PQclear(m_result);
}

int ServerResult::rowCount() const
{
    return PQntuples(m_result);
}

int ServerResult::columnCount() const
{
    return PQnfields(m_result);
}

QString ServerResult::columnName(int column) const
{
    return QString::fromUtf8(PQfname(m_result, column));
}

QString ServerResult::declaredType(int column) const
{
    if (PQftable(m_result, column) == InvalidOid)
        return {};
    const Oid type = PQftype(m_result, column);
    if (IsReal(type))
        return QStringLiteral("REAL");
    if (IsInteger(type))
        return QStringLiteral("INTEGER");
    return columnName(column) == QStringLiteral("时间") ? QStringLiteral("DATETIME") : QStringLiteral("TEXT");
}

QVariant ServerResult::value(int row, int column) const
{
    if (PQgetisnull(m_result, row, column))
        return {};
    const char *text = PQgetvalue(m_result, row, column);
    const Oid type = PQftype(m_result, column);
    if (IsInteger(type))
        return QVariant(QByteArray(text).toLongLong());
    if (IsReal(type))
        return QVariant(QByteArray(text).toDouble());
    return QVariant(QString::fromUtf8(text, PQgetlength(m_result, row, column)));
}

int ServerResult::changes() const
{
    return QByteArray(PQcmdTuples(m_result)).toInt();
}

ServerLink::ServerLink(QString url)
    : m_url(std::move(url))
{ }

ServerLink::~ServerLink()
{
    disconnect();
}

void ServerLink::disconnect()
{
    if (m_conn)
        PQfinish(m_conn);
    m_conn = nullptr;
}

DetailedError<ServerAwayError> ServerLink::away() const
{
    return {QStringLiteral("无法连接数据库服务器，请检查网络和服务器后再试。"), m_away};
}

void ServerLink::throwAway(const QString &why)
{
    disconnect();
    m_away = HidePassword(why, m_url).trimmed();
    m_awayUntil.setRemainingTime(kAwayMs);
    throw away();
}

void ServerLink::connect()
{
    if (m_conn)
        return;
    if (!m_away.isEmpty() && !m_awayUntil.hasExpired())
        throw away();
    const QByteArray url = m_url.toUtf8();
    const QByteArray options = QByteArrayLiteral("-c client_min_messages=warning -c statement_timeout=")
        + QByteArray::number(kStatementTimeoutSeconds * 1000);
    // A link whose other end went silent (a cut cable) is found out within
    // seconds rather than after the system's hours-long default.
    const char *keys[] = {"dbname",          "connect_timeout",     "client_encoding",  "application_name", "options",
                          "keepalives_idle", "keepalives_interval", "keepalives_count", "tcp_user_timeout", nullptr};
    const char *values[] = {
        url.constData(), kConnectTimeout, "UTF8", "salescounter", options.constData(), "5", "2", "2", "5000", nullptr};
    m_conn = PQconnectdbParams(keys, values, 1);
    if (PQstatus(m_conn) != CONNECTION_OK)
        throwAway(QString::fromUtf8(PQerrorMessage(m_conn)));
    m_away.clear();
    try {
        createTables();
        CheckServerTables(*this);
    } catch (...) {
        disconnect(); // tried again in full at the next call
        throw;
    }
}

void ServerLink::createTables()
{
    run(QStringLiteral("BEGIN"));
    run(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kCreationLock));
    for (const QString &statement : Schema::ServerCreationStatements())
        run(statement);
    run(QStringLiteral("COMMIT"));
}

std::unique_ptr<ServerResult> ServerLink::run(const QString &statement, const std::vector<QVariant> &parameters)
{
    const bool wasConnected = isConnected();
    connect();
    // A link that broke since its last use (a server restarted overnight) is
    // only found out by using it: a read outside a transaction is tried once
    // more on a new link. A write is not, as the server may have done it.
    const bool retryable = wasConnected && PQtransactionStatus(m_conn) == PQTRANS_IDLE
        && statement.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
    std::vector<QByteArray> texts;
    std::vector<Oid> types;
    texts.reserve(parameters.size());
    for (const QVariant &value : parameters) {
        switch (value.typeId()) {
        case QMetaType::Double:
            types.push_back(kFloat8);
            texts.push_back(QByteArray::number(value.toDouble(), 'g', 17));
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            types.push_back(kInt8);
            texts.push_back(QByteArray::number(value.toLongLong()));
            break;
        default: // texts take the type their place in the statement needs
            types.push_back(0);
            texts.push_back(value.isNull() ? QByteArray() : value.toString().toUtf8());
        }
    }
    std::vector<const char *> values;
    for (size_t i = 0; i < parameters.size(); ++i)
        values.push_back(parameters[i].isNull() ? nullptr : texts[i].constData());

    const QByteArray sql = ServerDialect(statement).toUtf8();
    auto result = std::make_unique<ServerResult>(
        PQexecParams(m_conn, sql.constData(), int(values.size()), types.data(), values.data(), nullptr, nullptr, 0));
    const ExecStatusType status = PQresultStatus(result->m_result);
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
        return result;
    if (LinkBroke(m_conn, result->m_result)) {
        if (retryable) {
            disconnect();
            return run(statement, parameters);
        }
        throwAway(QString::fromUtf8(PQerrorMessage(m_conn)));
    }
    const QString why = HidePassword(QString::fromUtf8(PQresultErrorMessage(result->m_result)), m_url).trimmed();
    if (const QString passing = PassingRefusal(result->m_result); !passing.isEmpty())
        throw DetailedError<ServerAwayError>(passing, why); // the link stays: the next statement may well succeed
    throw DetailedError<DataError>(QStringLiteral("数据库服务器拒绝了操作。"), why);
}
