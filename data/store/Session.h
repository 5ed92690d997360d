#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <future>
#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class InstanceLock;
class ServerLink;
class ServerResult;
struct ServerSettings;

// Where a statement runs: in the counter's own data file, or where the shop
// keeps its catalogue and sales (its server, or the same file without one).
enum class Store { Local, Shared };

// A session on a data file. The program keeps one for the whole run and every
// window works through it; a window brings its data up to date by running its
// queries again, which it does when the session opens anew (a restore closes
// it, replaces the file and opens it again). Closing closes every row set
// open on it. Tools and tests open further connections to other files.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr);
    ~Session() override;

    // The file to open; set while disconnected.
    void setConnectionString(const QString &path);
    QString filePath() const; // the file it opens: the data file when none was set

    // Keeps the file to this program for the session's life, a restore's
    // replacement included: taken at start, before the first opening, making
    // the file when there is none. Throws DataError naming the file and why
    // the program cannot have it. For the program's own session.
    void holdFile();
    InstanceLock *fileLock() const { return m_fileLock.get(); } // null unless held; for data/ only

    // Connects, checking on the session's own handle that the file is a usable
    // data file, and announces opened(). Throws DataError naming the file and
    // the problem; a refused file is never written.
    void open();
    // As open(), first making a new data file when there is none (start-up).
    void openOrCreate();
    // Starts openOrCreate() on a worker thread: deriving the file's key is the
    // slowest step of a start, and the program sets itself up meanwhile. Nothing
    // else may use the session until finishOpening().
    void beginOpening();
    // Completes, on the calling thread, an opening begun by beginOpening(), or
    // runs openOrCreate() when none was begun. Throws as open() does.
    void finishOpening();
    void close(); // disconnects, closing the row sets on it
    bool isOpen() const;

    // A shop with several counters keeps the catalogue, the sales and the sold
    // lines on a server; the ticket being entered and the print settings stay
    // in the file. Set while disconnected.
    void useServer(const ServerSettings &settings);
    bool hasServer() const { return m_server != nullptr; }
    int counterNumber() const { return m_counter; } // 0 without a server
    QString serverUrl() const; // empty without a server
    // The connection that holds the given store's tables.
    Session &in(Store store);
    bool isServer() const { return m_link != nullptr; }

    // Runs one statement with positional parameters (?1, ?2 ...); returns the
    // number of rows changed. Connects first when needed (without announcing
    // it); a file once refused is refused again without being touched, except
    // one that was only busy.
    int exec(const QString &sql, const std::vector<QVariant> &params = {});

    // Runs an insert into `table` and returns the new row's identity.
    qint64 insert(const QString &sql, const std::vector<QVariant> &params, const QString &table);
    // The column that identifies a row of `table` here ("rowid" in a file).
    QString rowIdColumn(const QString &table) const;
    sqlite3 *handle(); // connects first when needed; for data/ only
    ServerLink *link() const { return m_link.get(); } // a server's connection only; for data/ only

signals:
    void opened(); // by open(): everything on the file may have changed
    void aboutToClose();
    void saleQueued(); // a sale waits in the outbox for the server

private:
    void connectToFile();
    // Takes the handle `opening` gives, remembering why a file was refused
    // (a file that was only busy may be tried again).
    void take(const std::function<sqlite3 *()> &opening);
    void addCounterTables(); // beside a server: the outbox and the last ticket number

    QString m_path;
    sqlite3 *m_db = nullptr;
    QString m_refusal; // why the file was refused; empty when it was not
    std::future<sqlite3 *> m_opening; // begun by beginOpening()
    std::unique_ptr<ServerLink> m_link; // set on the server's own connection
    std::unique_ptr<Session> m_server; // set on a session whose shop has a server
    std::unique_ptr<InstanceLock> m_fileLock; // closed after the engine's handle
    int m_counter = 0;
};

// A database transaction on one connection: commits on commit(), rolls back
// when destroyed without it.
class Transaction
{
public:
    explicit Transaction(Session &connection);
    ~Transaction();
    void commit();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    Session &m_connection;
    bool m_done = false;
};

// A prepared statement; finalised when destroyed. For data/ only.
class Statement
{
public:
    Statement(Session &connection, const QString &sql, const std::vector<QVariant> &params = {});
    ~Statement();
    bool step(); // true while a row is available; throws DataError
    int columnCount() const;
    QString columnName(int i) const;
    QString declaredType(int i) const; // the column's type in its table; empty for expressions
    QVariant value(int i) const;
    int changes() const; // rows the statement inserted, updated or deleted

    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

private:
    Session &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
    std::unique_ptr<ServerResult> m_result; // on a server: every row, read at once
    int m_row = -1;
};
