#include "data/Schema.h"

#include <QStringList>

namespace Schema {

namespace {
constexpr const char *kAutoNumber = "INTEGER PRIMARY KEY AUTOINCREMENT";
}

const std::vector<Table> &Tables()
{
    static const std::vector<Table> tables = {
        {"spxx", {{"品名", "TEXT"}, {"单价", "REAL"}, {"备注", "TEXT"}}},
        {"xsxx",
         {{"ID", kAutoNumber},
          {"单号", "TEXT"},
          {"时间", "TEXT"},
          {"客户", "TEXT"},
          {"电话", "TEXT"},
          {"地址", "TEXT"},
          {"品名", "TEXT"},
          {"单价", "REAL"},
          {"数量", "REAL"},
          {"金额", "REAL"},
          {"折后", "REAL"},
          {"备注", "TEXT"}}},
        {"dynr",
         {{"ID", kAutoNumber},
          {"店名", "TEXT"},
          {"备注", "TEXT"},
          {"收银员", "TEXT"},
          {"pos", "TEXT"},
          {"modle", "TEXT"},
          {"print", "TEXT"}}},
        {"xstj",
         {{"序号", kAutoNumber},
          {"单号", "TEXT"},
          {"时间", "DATETIME"},
          {"数量", "REAL"},
          {"金额", "REAL"},
          {"折后", "REAL"},
          {"收银员", "TEXT"},
          {"支付", "REAL", true},
          {"找零", "REAL", true}}},
        {"xsmx",
         {{"序号", kAutoNumber},
          {"单号", "TEXT"},
          {"时间", "DATETIME"},
          {"客户", "TEXT"},
          {"电话", "TEXT"},
          {"地址", "TEXT"},
          {"品名", "TEXT"},
          {"单价", "REAL"},
          {"数量", "REAL"},
          {"金额", "REAL"},
          {"折后", "REAL"}}},
    };
    return tables;
}

const std::vector<Index> &Indexes()
{
    static const std::vector<Index> indexes = {
        {"spxx_name", "spxx(品名)"},
        {"xstj_number", "xstj(单号)"},
        {"xstj_time", "xstj(时间)"},
        // A span of days is listed, summed and charted from this index alone,
        // without reading the tickets' rows.
        {"xstj_time_figures", "xstj(时间, 序号, 单号, 数量, 金额, 折后, 收银员)"},
        {"xsmx_number", "xsmx(单号)"},
        // Lets a ticket's lines be found by number without reading every line.
        {"xsmx_number_length", "xsmx(length(单号))"},
    };
    return indexes;
}

std::vector<QString> CreationStatements()
{
    std::vector<QString> statements;
    for (const Table &table : Tables()) {
        QStringList columns;
        for (const Column &column : table.columns)
            columns << QStringLiteral("\"%1\" %2").arg(QString::fromUtf8(column.name), QString::fromUtf8(column.type));
        statements.push_back(QStringLiteral("CREATE TABLE %1 (%2)")
                                 .arg(QString::fromUtf8(table.name), columns.join(QStringLiteral(", "))));
    }
    for (const Index &index : Indexes())
        statements.push_back(QStringLiteral("CREATE INDEX %1 ON %2")
                                 .arg(QString::fromUtf8(index.name), QString::fromUtf8(index.definition)));
    statements.push_back(QStringLiteral(
        "INSERT INTO dynr (店名, 备注, 收银员, pos, modle, print) VALUES ('', '', '', '58', '一联', '1')"));
    return statements;
}

} // namespace Schema
