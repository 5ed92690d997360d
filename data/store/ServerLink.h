#pragma once

// The engine's own handles, for the store's code only.
#ifndef SC_STORE_ENGINES
#error "only data/store reaches the engines' handles"
#endif

#include "base/ErrorDetail.h"

#include <QDeadlineTimer>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

struct pg_conn;
struct pg_result;

// The rows one statement returned from the server, read as the data file's
// rows are: numbers as doubles or integers, NULL as a null value, the rest as
// text.
class ServerResult
{
public:
    explicit ServerResult(pg_result *result);
    ~ServerResult();
    int rowCount() const;
    int columnCount() const;
    QString columnName(int column) const;
    // The column's type as the data file would declare it: REAL for numbers,
    // DATETIME for ticket times, INTEGER for auto-numbers, TEXT for texts;
    // empty for expressions, as the file's engine reports them.
    QString declaredType(int column) const;
    QVariant value(int row, int column) const;
    int changes() const; // rows an insert, update or delete touched

    ServerResult(const ServerResult &) = delete;
    ServerResult &operator=(const ServerResult &) = delete;

private:
    friend class ServerLink;
    pg_result *m_result;
};

// A link to the PostgreSQL server named by a libpq connection string. It
// connects when first used and again after the link broke, creating the
// shop's tables on a server that lacks them and refusing tables of another shape. Statements are written as for the
// data file (?1, ?2 ... parameters, instr, like) and translated.
class ServerLink
{
public:
    explicit ServerLink(QString url);
    ~ServerLink();

    // Runs one statement, for at most a few seconds. Throws ServerAwayError
    // when the server cannot be reached or the link broke (the link is dropped
    // and tried again on the next call), or when the statement ran out of time
    // or was turned down for a passing reason; DataError when the server
    // refused the statement.
    std::unique_ptr<ServerResult> run(const QString &statement, const std::vector<QVariant> &parameters = {});
    void connect(); // throws as run() does
    void disconnect();
    bool isConnected() const { return m_conn != nullptr; }
    QString url() const { return m_url; }

    ServerLink(const ServerLink &) = delete;
    ServerLink &operator=(const ServerLink &) = delete;

private:
    [[noreturn]] void throwAway(const QString &why);
    DetailedError<ServerAwayError> away() const; // the error while away, the server's words as its detail
    void createTables();

    QString m_url;
    pg_conn *m_conn = nullptr;
    // After a failed attempt the server counts as away for a moment, so that
    // the steps of one action don't each wait for it in turn.
    QString m_away; // why, in the words of the server or the link
    QDeadlineTimer m_awayUntil;
};

// A statement written for the data file's engine, in the server's dialect.
QString ServerDialect(const QString &statement);
