#pragma once

#include "data/store/DataStore.h"

#include <QString>

#include <memory>

class ServerLink;

// The shop's tables on its PostgreSQL server. Statements written for the data
// file are translated to the server's dialect; the link connects when first
// used and again after it broke.
class ServerStore : public DataStore
{
public:
    explicit ServerStore(const QString &url);
    ~ServerStore() override;

    QString url() const;

    qint64 insert(const QString &sql, const std::vector<QVariant> &params, const QString &table) override;
    QString rowIdColumn(const QString &table) const override;
    QString allColumns(const QString &table) const override;
    // A server keeps no stored order of its own.
    bool keepsRowOrder() const override { return false; }
    // Where the indexes have nulls, though there are none: else the rows are sorted.
    QString orderOfKey(bool ascending) const override
    {
        return ascending ? QStringLiteral("asc nulls last") : QStringLiteral("desc nulls first");
    }
    bool isOpen() const override;

    ServerStore(const ServerStore &) = delete;
    ServerStore &operator=(const ServerStore &) = delete;

protected:
    std::unique_ptr<EngineStatement> prepare(const QString &sql, const std::vector<QVariant> &params) override;

private:
    std::unique_ptr<ServerLink> m_link;
};
