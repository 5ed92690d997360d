#include "data/ServerLink.h"

#include "data/AppError.h"
#include "data/Schema.h"

#include <QRegularExpression>

#include <libpq-fe.h>

namespace {

// Type numbers of the server's built-in types.
constexpr Oid kInt2 = 21, kInt4 = 23, kInt8 = 20, kFloat4 = 700, kFloat8 = 701, kNumeric = 1700;
// Any other number than these: serialises the first creation of the tables by several counters.
constexpr qint64 kCreationLock = 530418;

bool IsInteger(Oid type)
{
    return type == kInt2 || type == kInt4 || type == kInt8;
}

bool IsReal(Oid type)
{
    return type == kFloat4 || type == kFloat8 || type == kNumeric;
}

// Whether a failed statement failed for want of the server rather than being
// refused by it: the link is gone, libpq itself made up the error (a server
// that vanished mid-statement leaves the link looking open), or the server
// says it is shutting down or not yet up.
bool LostTheServer(const pg_conn *conn, const pg_result *result)
{
    if (PQstatus(conn) != CONNECTION_OK)
        return true;
    const QByteArray state(PQresultErrorField(result, PG_DIAG_SQLSTATE));
    return state.isEmpty() || state.startsWith("08") || state == "57P01" || state == "57P02" || state == "57P03";
}

} // namespace

QString ServerDialect(const QString &statement)
{
    static const QRegularExpression parameter(QStringLiteral("\\?(\\d+)"));
    static const QRegularExpression instr(QStringLiteral("\\binstr\\("), QRegularExpression::CaseInsensitiveOption);
    // The file's engine ignores ASCII case in like; so does ilike under byte order.
    static const QRegularExpression like(QStringLiteral("\\blike\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression begin(QStringLiteral("^BEGIN IMMEDIATE$"));
    QString sql = statement;
    sql.replace(parameter, QStringLiteral("$\\1"));
    sql.replace(instr, QStringLiteral("strpos("));
    sql.replace(like, QStringLiteral("ilike"));
    sql.replace(begin, QStringLiteral("BEGIN"));
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
    return columnName(column) == QLatin1String("时间") ? QStringLiteral("DATETIME") : QStringLiteral("TEXT");
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

void ServerLink::throwAway(const QString &why)
{
    disconnect();
    throw ServerAwayError(QStringLiteral("无法连接数据库服务器，请检查网络和服务器后再试。\n%1").arg(why.trimmed()));
}

void ServerLink::connect()
{
    if (m_conn)
        return;
    const QByteArray url = m_url.toUtf8();
    // A server that does not answer is given up on after a few seconds.
    const char *keys[] = {"dbname", "connect_timeout", "client_encoding", "application_name", nullptr};
    const char *values[] = {url.constData(), "3", "UTF8", "salescounter", nullptr};
    m_conn = PQconnectdbParams(keys, values, 1);
    if (PQstatus(m_conn) != CONNECTION_OK)
        throwAway(QString::fromUtf8(PQerrorMessage(m_conn)));
    try {
        createTables();
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
    connect();
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
    if (LostTheServer(m_conn, result->m_result))
        throwAway(QString::fromUtf8(PQerrorMessage(m_conn)));
    throw DataError(QStringLiteral("数据库服务器拒绝了操作：%1")
                        .arg(QString::fromUtf8(PQresultErrorMessage(result->m_result)).trimmed()));
}
