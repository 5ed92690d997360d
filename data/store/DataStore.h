#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// Where a statement runs: in the counter's own data file, or where the shop
// keeps its catalogue and sales (its server, or the same file without one).
enum class Store { Local, Shared };

// One statement as an engine runs it.
class EngineStatement
{
public:
    virtual ~EngineStatement() = default;
    virtual bool step() = 0;
    virtual int columnCount() const = 0;
    virtual QString columnName(int i) const = 0;
    virtual QString declaredType(int i) const = 0;
    virtual QVariant value(int i) const = 0;
    virtual int changes() const = 0;
};

// Tables and the statements that run on them, in one engine: the data file or
// the shop's server. Statements are written for the file's engine, with
// positional parameters (?1, ?2 ...); user text is always bound.
class DataStore
{
public:
    virtual ~DataStore() = default;

    // Runs one statement; returns the number of rows changed.
    int exec(const QString &sql, const std::vector<QVariant> &params = {});
    // Runs an insert into `table` and returns the new row's identity.
    virtual qint64 insert(const QString &sql, const std::vector<QVariant> &params, const QString &table) = 0;
    // The column that identifies a row of `table` here.
    virtual QString rowIdColumn(const QString &table) const = 0;
    // What "*" stands for in a statement whose rows are written back to `table`.
    virtual QString allColumns(const QString &table) const = 0;
    // Whether rows come in the order they were added without an order by.
    virtual bool keepsRowOrder() const = 0;
    // How an order by a column that is never null is written ("asc" or
    // "desc" and what else it takes) for this engine to read it from an index.
    virtual QString orderOfKey(bool ascending) const = 0;
    virtual bool isOpen() const = 0;

protected:
    friend class Statement;
    // Connects first when needed; throws DataError.
    virtual std::unique_ptr<EngineStatement> prepare(const QString &sql, const std::vector<QVariant> &params) = 0;
};

// A database transaction on one store: commits on commit(), rolls back when
// destroyed without it.
class Transaction
{
public:
    explicit Transaction(DataStore &store);
    ~Transaction();
    void commit();

    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    DataStore &m_store;
    bool m_done = false;
};

// A prepared statement; finalised when destroyed. For data/ only.
class Statement
{
public:
    Statement(DataStore &store, const QString &sql, const std::vector<QVariant> &params = {});
    ~Statement();
    bool step() { return m_engine->step(); } // true while a row is available; throws DataError
    int columnCount() const { return m_engine->columnCount(); }
    QString columnName(int i) const { return m_engine->columnName(i); }
    // The column's type in its table; empty for expressions.
    QString declaredType(int i) const { return m_engine->declaredType(i); }
    QVariant value(int i) const { return m_engine->value(i); }
    int changes() const { return m_engine->changes(); } // rows the statement inserted, updated or deleted

    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

private:
    std::unique_ptr<EngineStatement> m_engine;
};
