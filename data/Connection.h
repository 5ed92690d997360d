#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// One window's connection to the data file. Disconnecting closes every row set
// open on it.
class Connection : public QObject
{
    Q_OBJECT
public:
    explicit Connection(QObject *parent = nullptr);
    ~Connection() override;

    // The file to open; set while disconnected.
    void setConnectionString(const QString &path);
    QString connectionString() const { return m_path; }

    // Points the connection at a file as a window brings its data up to date.
    // An open connection to the same file stays open: connecting derives the
    // file's key, a cost every reconnect would otherwise pay.
    void reconnect(const QString &path);

    void open();  // connects; throws DataError
    void close(); // disconnects, closing the row sets on it
    bool isOpen() const { return m_db != nullptr; }

    // Runs one statement with positional parameters (?1, ?2 ...); returns the
    // number of rows changed. Connects first when needed.
    int exec(const QString &sql, const std::vector<QVariant> &params = {});

    qint64 lastInsertRowId() const;
    sqlite3 *handle(); // connects first when needed; for data/ only

    // Closes every connection of the process (restore replaces the file).
    static void CloseAll();

signals:
    void aboutToClose();

private:
    QString m_path;
    sqlite3 *m_db = nullptr;
};

// A database transaction on one connection: commits on commit(), rolls back
// when destroyed without it.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    void commit();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Connection &m_connection;
    bool m_done = false;
};

// A prepared statement; finalised when destroyed. For data/ only.
class Statement
{
public:
    Statement(Connection &connection, const QString &sql, const std::vector<QVariant> &params = {});
    ~Statement();
    bool step(); // true while a row is available; throws DataError
    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const; // the column's type in its table; empty for expressions
    QVariant value(int i) const;
    sqlite3_stmt *raw() { return m_stmt; }

    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

private:
    Connection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};
