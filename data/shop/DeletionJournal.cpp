#include "data/shop/DeletionJournal.h"

#include "data/shop/PrintSettings.h"
#include "data/shop/TicketCondition.h"
#include "data/store/ColumnValue.h"
#include "data/store/PagedRows.h"
#include "data/store/RowSet.h"
#include "data/store/Schema.h"
#include "data/store/Session.h"

#include <QDateTime>
#include <QStringList>

#include <vector>

namespace DeletionJournal {

namespace {

// Who deleted, and when: the same for every row one deletion takes.
struct Deletion
{
    QString time;
    QString cashier;
};

struct Copy
{
    QString number;
    QString content;
};

// Copies the rows of `table` whose `column` is `key` into the journal, then
// deletes them; returns the copies.
std::vector<Copy> JournalAndDelete(DataStore &store, const Deletion &deletion, const QString &table,
                                   const QString &column, const QVariant &key)
{
    const QStringList names = Schema::ColumnNames(table);
    QStringList quoted;
    for (const QString &name : names)
        quoted << QLatin1Char('"') + name + QLatin1Char('"');
    const int numberColumn = int(names.indexOf(QStringLiteral("单号")));
    std::vector<Copy> copies;
    {
        Statement rows(store, QStringLiteral("select %1 from %2 where %3 = ?1").arg(quoted.join(u','), table, column),
                       {key});
        while (rows.step()) {
            QStringList fields;
            for (int i = 0; i < names.size(); ++i)
                fields << names[i] + QLatin1Char('=')
                        + ColumnValueToText(ColumnKindOfDeclaredType(rows.declaredType(i)), rows.value(i));
            copies.push_back({rows.value(numberColumn).toString(), fields.join(QStringLiteral("; "))});
        }
    }
    for (const Copy &copy : copies)
        store.exec(QStringLiteral("insert into scjl (时间, 收银员, 表名, 单号, 内容) values (?1, ?2, ?3, ?4, ?5)"),
                   {deletion.time, deletion.cashier, table, copy.number, copy.content});
    store.exec(QStringLiteral("delete from %1 where %2 = ?1").arg(table, column), {key});
    return copies;
}

bool SaleNumbered(DataStore &store, const QString &number)
{
    Statement sale(store, QStringLiteral("select 1 from xstj where 单号 = ?1 limit 1"), {number});
    return sale.step();
}

void DeleteRow(Session &session, DataStore &store, const QString &table, qint64 rowId)
{
    const Deletion deletion{QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                            LoadPrintSettings(session).cashier};
    Transaction transaction(store);
    const std::vector<Copy> deleted = JournalAndDelete(store, deletion, table, store.rowIdColumn(table), rowId);
    if (table == QLatin1String("xstj"))
        for (const Copy &sale : deleted)
            if (!SaleNumbered(store, sale.number))
                JournalAndDelete(store, deletion, QStringLiteral("zfmx"), QStringLiteral("单号"), sale.number);
    transaction.commit();
}

} // namespace

void JournalDeletions(RowSet &rows)
{
    Session &session = rows.connection();
    rows.setDeletion(
        [&session](DataStore &store, const QString &table, qint64 rowId) { DeleteRow(session, store, table, rowId); });
}

void OpenBetween(RowSet &journal, const QDate &from, const QDate &to)
{
    // The journal's 时间 is written as a sale's is: the sales' span condition fits it.
    const TicketCondition span = ConditionOf(TicketFilter::Between(from, to));
    journal.setReadOnly(true);
    journal.openPages(Store::Shared,
                      {QStringLiteral("scjl"),
                       QStringLiteral("序号, 时间, 收银员, 表名, 单号, 内容"),
                       span.where,
                       span.parameters,
                       {QStringLiteral("时间"), QStringLiteral("序号")},
                       false,
                       {}, // nothing summed
                       QString(),
                       true}); // newest first
}

} // namespace DeletionJournal
