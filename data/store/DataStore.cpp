#include "data/store/DataStore.h"

#include "base/AppError.h"

int DataStore::exec(const QString &sql, const std::vector<QVariant> &params)
{
    Statement statement(*this, sql, params);
    while (statement.step()) { }
    return statement.changes();
}

Transaction::Transaction(DataStore &store)
    : m_store(store)
{
    m_store.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_done || !m_store.isOpen())
        return;
    try {
        m_store.exec(QStringLiteral("ROLLBACK"));
    } catch (const DataError &) {
        // The engine has dropped the transaction with whatever failed.
    }
}

void Transaction::commit()
{
    m_store.exec(QStringLiteral("COMMIT"));
    m_done = true;
}

Statement::Statement(DataStore &store, const QString &sql, const std::vector<QVariant> &params)
    : m_engine(store.prepare(sql, params))
{ }

Statement::~Statement() = default;
