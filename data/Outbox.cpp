#include "data/Outbox.h"

#include "data/AppError.h"
#include "data/Connection.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace Outbox {

namespace {

const QString kTicketKey = QStringLiteral("xstj");
const QString kLinesKey = QStringLiteral("xsmx");

QString Serialised(const SaleRows &sale)
{
    QJsonArray lines;
    for (const NewRow &line : sale.lines)
        lines.append(line.toJson());
    QJsonObject json;
    json.insert(kTicketKey, sale.ticket.toJson());
    json.insert(kLinesKey, lines);
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
}

SaleRows Deserialised(const QString &text)
{
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    SaleRows sale{NewRow::fromJson(kTicketKey, json.value(kTicketKey).toObject()), {}};
    for (const QJsonValue &line : json.value(kLinesKey).toArray())
        sale.lines.push_back(NewRow::fromJson(kLinesKey, line.toObject()));
    return sale;
}

struct Waiting
{
    qint64 id;
    SaleRows sale;
};

std::optional<Waiting> Oldest(Connection &session)
{
    Statement oldest(session, QStringLiteral("select 序号, 销售 from outbox order by 序号 limit 1"));
    if (!oldest.step())
        return std::nullopt;
    return Waiting{oldest.value(0).toLongLong(), Deserialised(oldest.value(1).toString())};
}

// Stores the sale on the server unless a sale with its number is there already.
void Send(Connection &server, const SaleRows &sale)
{
    Transaction transaction(server);
    Statement ticket(server,
                     sale.ticket.insertStatement() + QStringLiteral(" ON CONFLICT (\"单号\") DO NOTHING RETURNING 序号"),
                     sale.ticket.values());
    if (ticket.step())
        for (const NewRow &line : sale.lines)
            line.insert(server);
    transaction.commit();
}

} // namespace

void Add(Connection &session, const SaleRows &sale)
{
    session.exec(QStringLiteral("insert into outbox (单号, 销售) values (?1, ?2)"),
                 {sale.ticket.value(QStringLiteral("单号")), Serialised(sale)});
}

int Pending(Connection &session)
{
    Statement count(session, QStringLiteral("select count(*) from outbox"));
    return count.step() ? count.value(0).toInt() : 0;
}

int Upload(Connection &session)
{
    if (!session.hasServer())
        return 0;
    Connection &server = session.in(Store::Shared);
    int sent = 0;
    while (const std::optional<Waiting> waiting = Oldest(session)) {
        Send(server, waiting->sale);
        // Killed here, the sale is sent again and the server keeps it once.
        session.exec(QStringLiteral("delete from outbox where 序号 = ?1"), {waiting->id});
        ++sent;
    }
    return sent;
}

} // namespace Outbox
