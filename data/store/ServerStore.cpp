#include "data/store/ServerStore.h"

#include "data/store/Schema.h"
#include "data/store/ServerLink.h"

#include <QStringList>

namespace {

// A statement the server has run: every row is read at once.
class ServerStatement : public EngineStatement
{
public:
    explicit ServerStatement(std::unique_ptr<ServerResult> result)
        : m_result(std::move(result))
    { }

    bool step() override { return ++m_row < m_result->rowCount(); }
    int columnCount() const override { return m_result->columnCount(); }
    QString columnName(int i) const override { return m_result->columnName(i); }
    QString declaredType(int i) const override { return m_result->declaredType(i); }
    QVariant value(int i) const override { return m_result->value(m_row, i); }
    int changes() const override { return m_result->changes(); }

private:
    std::unique_ptr<ServerResult> m_result;
    int m_row = -1;
};

} // namespace

ServerStore::ServerStore(const QString &url)
    : m_link(std::make_unique<ServerLink>(url))
{ }

ServerStore::~ServerStore() = default;

QString ServerStore::url() const
{
    return m_link->url();
}

bool ServerStore::isOpen() const
{
    return m_link->isConnected();
}

std::unique_ptr<EngineStatement> ServerStore::prepare(const QString &sql, const std::vector<QVariant> &params)
{
    return std::make_unique<ServerStatement>(m_link->run(sql, params));
}

qint64 ServerStore::insert(const QString &sql, const std::vector<QVariant> &params, const QString &table)
{
    Statement inserted(*this, sql + QStringLiteral(" RETURNING ") + rowIdColumn(table), params);
    return inserted.step() ? inserted.value(0).toLongLong() : 0;
}

QString ServerStore::rowIdColumn(const QString &table) const
{
    return Schema::ServerRowIdColumn(table);
}

// A server's tables may hold a row-identity column of their own, which "*"
// would list: the table's known columns stand in for it.
QString ServerStore::allColumns(const QString &table) const
{
    QStringList names;
    for (const QString &name : Schema::ColumnNames(table))
        names << QLatin1Char('"') + name + QLatin1Char('"');
    return names.join(QStringLiteral(", "));
}
