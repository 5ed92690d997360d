#include "data/sync/ServerImport.h"

#include "base/AppError.h"
#include "data/store/Schema.h"
#include "data/store/Session.h"

#include <QStringList>

#include <vector>

namespace {

// Rows per insert: many rows per round trip, well under the server's limit of parameters.
constexpr int kRowsPerInsert = 500;

int CountOf(DataStore &store, const QString &table)
{
    Statement count(store, QStringLiteral("select count(*) from %1").arg(table));
    return count.step() ? count.value(0).toInt() : 0;
}

// Copies every row of `table` in stored order; the server numbers them anew.
int CopyTable(DataStore &file, DataStore &server, const QString &table, const QString &order)
{
    QStringList columns;
    for (const QString &column : Schema::ColumnNames(table))
        if (column != QStringLiteral("序号"))
            columns << QStringLiteral("\"%1\"").arg(column);
    const QString list = columns.join(QStringLiteral(", "));
    Statement rows(file, QStringLiteral("select %1 from %2 order by %3").arg(list, table, order));

    int copied = 0;
    std::vector<QVariant> values;
    QStringList tuples;
    const auto flush = [&] {
        if (tuples.isEmpty())
            return;
        server.exec(QStringLiteral("insert into %1 (%2) values %3").arg(table, list, tuples.join(QStringLiteral(", "))),
                    values);
        values.clear();
        tuples.clear();
    };
    while (rows.step()) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i) {
            values.push_back(rows.value(i));
            marks << QStringLiteral("?%1").arg(values.size());
        }
        tuples << QLatin1Char('(') + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
        ++copied;
        if (tuples.size() == kRowsPerInsert)
            flush();
    }
    flush();
    return copied;
}

} // namespace

ImportedCounts ImportToServer(Session &session)
{
    if (!session.hasServer())
        throw DataError(QStringLiteral("没有设置数据库服务器，无法导入。"));
    Statement repeated(session.file(),
                       QStringLiteral("select 单号 from xstj group by 单号 having count(*) > 1 limit 1"));
    if (repeated.step())
        throw DataError(QStringLiteral("本机数据中单号 %1 出现了不止一次，服务器上每个单号只能有一笔销售，导入已取消。")
                            .arg(repeated.value(0).toString()));

    DataStore &server = session.in(Store::Shared);
    Transaction transaction(server);
    // Two imports at once: the second waits, then finds the first one's rows.
    server.exec(QStringLiteral("lock table spxx, xstj, xsmx, zfmx, scjl in exclusive mode"));
    if (CountOf(server, QStringLiteral("xstj")) > 0 || CountOf(server, QStringLiteral("xsmx")) > 0
        || CountOf(server, QStringLiteral("spxx")) > 0)
        throw DataError(QStringLiteral("服务器数据库中已有商品或销售记录，导入已取消，服务器上的数据没有任何改动。"));

    ImportedCounts counts;
    counts.products = CopyTable(session.file(), server, QStringLiteral("spxx"), QStringLiteral("rowid"));
    counts.tickets = CopyTable(session.file(), server, QStringLiteral("xstj"), QStringLiteral("序号"));
    counts.lines = CopyTable(session.file(), server, QStringLiteral("xsmx"), QStringLiteral("序号"));
    CopyTable(session.file(), server, QStringLiteral("zfmx"), QStringLiteral("序号"));
    CopyTable(session.file(), server, QStringLiteral("scjl"), QStringLiteral("序号"));
    transaction.commit();
    return counts;
}
