#include "data/sync/Outbox.h"

#include "base/ErrorDetail.h"
#include "data/store/Session.h"
#include "data/sync/TicketNumbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <optional>

namespace Outbox {

namespace {

const QString kTicketKey = QStringLiteral("xstj");
const QString kNumber = QStringLiteral("单号");
const QString kOriginal = QStringLiteral("原单号");
const QString kLinesKey = QStringLiteral("xsmx");
const QString kPaymentsKey = QStringLiteral("zfmx");

QJsonArray Serialised(const std::vector<NewRow> &rows)
{
    QJsonArray array;
    for (const NewRow &row : rows)
        array.append(row.toJson());
    return array;
}

QString Serialised(const SaleRows &sale)
{
    QJsonObject json;
    json.insert(kTicketKey, sale.ticket.toJson());
    json.insert(kLinesKey, Serialised(sale.lines));
    json.insert(kPaymentsKey, Serialised(sale.payments));
    return QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact));
}

std::vector<NewRow> Deserialised(const QString &table, const QJsonValue &rows)
{
    std::vector<NewRow> deserialised;
    for (const QJsonValue &row : rows.toArray())
        deserialised.push_back(NewRow::fromJson(table, row.toObject()));
    return deserialised;
}

// A sale queued before payments were kept has no payment rows.
SaleRows Deserialised(const QString &text)
{
    const QJsonObject json = QJsonDocument::fromJson(text.toUtf8()).object();
    return {NewRow::fromJson(kTicketKey, json.value(kTicketKey).toObject()),
            Deserialised(kLinesKey, json.value(kLinesKey)), Deserialised(kPaymentsKey, json.value(kPaymentsKey))};
}

struct Waiting
{
    qint64 id;
    SaleRows sale;
};

// The server holds another sale under the number of the one sent.
class NumberTakenError : public DataError
{
public:
    using DataError::DataError;
};

std::optional<Waiting> Oldest(Session &session)
{
    Statement oldest(session.file(),
                     QStringLiteral("select 序号, 销售 from outbox "
                                    "where 序号 not in (select 序号 from outbox_set_aside) "
                                    "order by 序号 limit 1"));
    if (!oldest.step())
        return std::nullopt;
    return Waiting{oldest.value(0).toLongLong(), Deserialised(oldest.value(1).toString())};
}

// The columns that tell a sale sent again from another sale under the same number.
const QStringList kSameSale = {QStringLiteral("时间"), QStringLiteral("收银员"), QStringLiteral("数量"),
                               QStringLiteral("折后")};

// A sale already on the server under this number: this very sale, sent again
// after a kill or a broken link, or another counter's sale under the same
// number (two counters set to one counter number), which must not be dropped.
void RequireSameSale(DataStore &server, const NewRow &ticket)
{
    Statement stored(server, QStringLiteral("select 时间, 收银员, 数量, 折后 from xstj where 单号 = ?1"),
                     {ticket.value(kNumber)});
    if (!stored.step())
        return;
    for (int i = 0; i < kSameSale.size(); ++i) {
        const QVariant mine = ticket.value(kSameSale[i]);
        const QVariant theirs = stored.value(i);
        const bool same = mine.typeId() == QMetaType::Double ? theirs.toDouble() == mine.toDouble()
                                                             : theirs.toString() == mine.toString();
        if (!same)
            throw NumberTakenError(QStringLiteral("服务器上已有另一笔单号为 %1 的销售，本机的这笔销售暂不上传。"
                                                  "请检查是否有两台收银机设置了相同的收银台号，"
                                                  "然后在“选项 → 待上传销售”中换新单号重新上传。")
                                       .arg(ticket.value(kNumber).toString()));
    }
}

// The sale's lines and payments, after its ticket.
void InsertDetails(DataStore &store, const SaleRows &sale)
{
    for (const NewRow &row : sale.lines)
        row.insert(store);
    for (const NewRow &row : sale.payments)
        row.insert(store);
}

// A return, with the returns of the same sale from every counter, takes back
// no more of a product at a price than the sale sold. Each counter checked it
// against the server's rows when it recorded it; here the sale's row is locked
// first, so that two returns of one sale are checked one after the other.
void RequireWithinSale(DataStore &server, const SaleRows &sale)
{
    // Only a return's lines name a sale.
    const QString original = sale.lines.empty() ? QString() : sale.lines.front().value(kOriginal).toString();
    if (original.isEmpty())
        return;
    Statement(server, QStringLiteral("select 序号 from xstj where 单号 = ?1 for update"), {original}).step();
    Statement beyond(
        server,
        QStringLiteral("select r.品名 from "
                       "(select 品名, 单价, sum(数量) as q from xsmx where 原单号 = ?1 group by 品名, 单价) r "
                       "left join "
                       "(select 品名, 单价, sum(数量) as q from xsmx where 单号 = ?1 group by 品名, 单价) s "
                       "on s.品名 = r.品名 and s.单价 = r.单价 "
                       "where round(cast(coalesce(s.q, 0) + r.q as numeric), 4) < 0"),
        {original});
    if (beyond.step())
        throw DataError(QStringLiteral("退货单 %1 退回的“%2”超过了原单 %3 还能退的数量（另一台收银机已先退过），"
                                       "服务器未收下这笔退货。")
                            .arg(sale.ticket.value(kNumber).toString(), beyond.value(0).toString(), original));
}

// Stores the sale on the server unless it is there already.
void Send(DataStore &server, const SaleRows &sale)
{
    Transaction transaction(server);
    Statement ticket(
        server, sale.ticket.insertStatement() + QStringLiteral(" ON CONFLICT (\"单号\") DO NOTHING RETURNING 序号"),
        sale.ticket.values());
    if (ticket.step()) {
        InsertDetails(server, sale);
        RequireWithinSale(server, sale);
    } else
        RequireSameSale(server, sale.ticket);
    transaction.commit();
}

// Sends one waiting sale and takes it out of the outbox; a sale the server
// refuses is set aside with the reason instead. True when it went up.
bool SentOrSetAside(Session &session, DataStore &server, const Waiting &waiting)
{
    try {
        Send(server, waiting.sale);
    } catch (const ServerAwayError &) {
        throw; // the server may well take it later
    } catch (const DataError &refusal) {
        const bool numberTaken = dynamic_cast<const NumberTakenError *>(&refusal) != nullptr;
        session.exec(QStringLiteral("insert into outbox_set_aside (序号, 原因, 单号重复) values (?1, ?2, ?3)"),
                     {waiting.id, FullText(refusal), qint64(numberTaken)});
        return false;
    }
    // Killed here, the sale is sent again and the server keeps it once.
    session.exec(QStringLiteral("delete from outbox where 序号 = ?1"), {waiting.id});
    return true;
}

} // namespace

void Add(Session &session, const SaleRows &sale)
{
    session.exec(QStringLiteral("insert into outbox (单号, 销售) values (?1, ?2)"),
                 {sale.ticket.value(kNumber), Serialised(sale)});
}

int Pending(Session &session)
{
    const Counts counts = Count(session);
    return counts.waiting + counts.setAside;
}

Counts Count(Session &session)
{
    Statement count(session.file(),
                    QStringLiteral("select count(*), count(a.序号) from outbox o "
                                   "left join outbox_set_aside a on a.序号 = o.序号"));
    if (!count.step())
        return {};
    const int all = count.value(0).toInt(), setAside = count.value(1).toInt();
    return {all - setAside, setAside};
}

std::vector<Entry> List(Session &session)
{
    Statement listed(session.file(),
                     QStringLiteral("select o.序号, o.销售, a.原因, a.单号重复 from outbox o "
                                    "left join outbox_set_aside a on a.序号 = o.序号 order by o.序号"));
    std::vector<Entry> entries;
    while (listed.step()) {
        const NewRow ticket = Deserialised(listed.value(1).toString()).ticket;
        entries.push_back({listed.value(0).toLongLong(), ticket.value(kNumber).toString(),
                           ticket.value(QStringLiteral("时间")).toString(),
                           ticket.value(QStringLiteral("折后")).toDouble(), listed.value(2).toString(),
                           listed.value(3).toInt() != 0});
    }
    return entries;
}

std::vector<SaleRows> Sales(Session &session)
{
    Statement kept(session.file(), QStringLiteral("select 销售 from outbox order by 序号"));
    std::vector<SaleRows> sales;
    while (kept.step())
        sales.push_back(Deserialised(kept.value(0).toString()));
    return sales;
}

int Upload(Session &session, const std::function<bool()> &goOn)
{
    if (!session.hasServer())
        return 0;
    DataStore &server = session.in(Store::Shared);
    int sent = 0;
    while (const std::optional<Waiting> waiting = Oldest(session)) {
        sent += SentOrSetAside(session, server, *waiting);
        if (goOn && !goOn())
            break;
    }
    return sent;
}

QString SendAgain(Session &session, qint64 id, bool underFreshNumber)
{
    const QString fresh = underFreshNumber ? IssueTicketNumber(session) : QString();
    Transaction transaction(session.file());
    Statement stored(session.file(), QStringLiteral("select 销售 from outbox where 序号 = ?1"), {id});
    if (!stored.step())
        throw DataError(QStringLiteral("这笔销售已不在待上传的销售中。"));
    SaleRows sale = Deserialised(stored.value(0).toString());
    if (underFreshNumber) {
        // A return keeps the number of the sale it takes back.
        if (sale.ticket.value(kOriginal).toString().isEmpty())
            sale.ticket.set(kOriginal, sale.ticket.value(kNumber).toString());
        sale.ticket.set(kNumber, fresh);
        for (NewRow &row : sale.lines)
            row.set(kNumber, fresh);
        for (NewRow &row : sale.payments)
            row.set(kNumber, fresh);
        session.exec(QStringLiteral("update outbox set 单号 = ?2, 销售 = ?3 where 序号 = ?1"),
                     {id, fresh, Serialised(sale)});
    }
    session.exec(QStringLiteral("delete from outbox_set_aside where 序号 = ?1"), {id});
    transaction.commit();
    emit session.saleQueued();
    return sale.ticket.value(kNumber).toString();
}

} // namespace Outbox

void InsertSaleRows(DataStore &store, const SaleRows &sale)
{
    sale.ticket.insert(store);
    Outbox::InsertDetails(store, sale);
}
