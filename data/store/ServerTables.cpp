#include "data/store/ServerTables.h"

#include "base/AppError.h"
#include "data/store/Schema.h"
#include "data/store/ServerLink.h"

#include <QHash>
#include <QStringList>

namespace {

struct Found
{
    QString type;
    QString collation; // empty for a type without one; the database's own for "default"
};

// What the program's column needs, and the words the refusal names it by.
struct Need
{
    QStringList types;
    bool byteOrder; // texts compare and sort byte by byte, ASCII case alone folding in searches
    QString described;
};

Need NeedOf(const QString &declared)
{
    if (declared == QLatin1String("REAL"))
        return {{QStringLiteral("double precision")}, false, QStringLiteral("double precision")};
    if (declared.startsWith(QLatin1String("INTEGER")))
        return {{QStringLiteral("bigint"), QStringLiteral("integer")}, false, QStringLiteral("bigint")};
    return {{QStringLiteral("text"), QStringLiteral("character varying")}, true, QStringLiteral("text COLLATE \"C\"")};
}

bool Fits(const Found &found, const Need &need)
{
    const QString type = found.type.section(QLatin1Char('('), 0, 0);
    if (!need.types.contains(type))
        return false;
    return !need.byteOrder || found.collation == QLatin1String("C") || found.collation == QLatin1String("POSIX");
}

QHash<QString, Found> ColumnsOf(ServerLink &link, const QString &table)
{
    const auto rows = link.run(
        QStringLiteral("select a.attname, format_type(a.atttypid, a.atttypmod), "
                       "case when a.attcollation = 0 then '' "
                       "when co.collname = 'default' then "
                       "(select datcollate from pg_database where datname = current_database()) "
                       "else co.collname end "
                       "from pg_attribute a left join pg_collation co on co.oid = a.attcollation "
                       "where a.attrelid = to_regclass(?1) and a.attnum > 0 and not a.attisdropped"),
        {table});
    QHash<QString, Found> columns;
    for (int row = 0; row < rows->rowCount(); ++row)
        columns.insert(rows->value(row, 0).toString(),
                       {rows->value(row, 1).toString(), rows->value(row, 2).toString()});
    return columns;
}

} // namespace

void CheckServerTables(ServerLink &link)
{
    for (const Schema::Table &table : Schema::Tables()) {
        const QString name = QString::fromUtf8(table.name);
        if (!Schema::IsSharedTable(name))
            continue;
        std::vector<std::pair<QString, QString>> used;
        for (const Schema::Column &column : table.columns)
            used.emplace_back(QString::fromUtf8(column.name), QString::fromUtf8(column.type));
        // The catalogue's row identifier exists on the server only.
        const QString rowId = Schema::ServerRowIdColumn(name);
        if (!Schema::ColumnNames(name).contains(rowId))
            used.emplace_back(rowId, QStringLiteral("INTEGER"));
        const QHash<QString, Found> columns = ColumnsOf(link, name);
        for (const auto &[column, declared] : used) {
            const Need need = NeedOf(declared);
            const auto found = columns.constFind(column);
            if (found == columns.constEnd())
                throw ServerAwayError(QStringLiteral("数据库服务器上的表 %1 没有本程序使用的列 %2（应为 %3）。"
                                                     "为免数据出错，本程序不向该服务器保存任何数据，请改正该表后再试。")
                                          .arg(name, column, need.described));
            if (!Fits(*found, need)) {
                const QString shown = found->collation.isEmpty()
                    ? found->type
                    : QStringLiteral("%1 COLLATE \"%2\"").arg(found->type, found->collation);
                throw ServerAwayError(QStringLiteral("数据库服务器上的表 %1 的列 %2 的类型是 %3，本程序需要 %4。"
                                                     "为免金额、数量等数据被改动，本程序不向该服务器保存任何数据，"
                                                     "请改正该表后再试。")
                                          .arg(name, column, shown, need.described));
            }
        }
    }
}
