#include "data/store/TicketTotals.h"

#include <QStringList>

namespace TicketTotals {

namespace {

const QString kTable = QStringLiteral("xshj");

// A ticket's figure in whole 0.0001s, as `row` (new or old) holds it.
QString Units(const QString &row, const char *column)
{
    return QStringLiteral("coalesce(round(%1.%2 * 10000), 0)").arg(row, QString::fromUtf8(column));
}

// Sets each sum to itself plus or minus a ticket's figures.
QString Change(const QString &row, const char *sign)
{
    QStringList sets;
    for (const char *column : {"数量", "金额", "折后"})
        sets << QStringLiteral("%1 = %1 %2 %3")
                    .arg(QString::fromUtf8(column), QString::fromUtf8(sign), Units(row, column));
    return sets.join(QStringLiteral(", "));
}

QString Recount()
{
    return QStringLiteral("INSERT INTO %1 SELECT count(*), coalesce(sum(round(数量 * 10000)), 0), "
                          "coalesce(sum(round(金额 * 10000)), 0), coalesce(sum(round(折后 * 10000)), 0) FROM xstj")
        .arg(kTable);
}

} // namespace

std::vector<QString> FileStatements()
{
    return {
        // A row left without its triggers (a table of tickets replaced) is made again.
        QStringLiteral("DROP TRIGGER IF EXISTS xshj_insert"),
        QStringLiteral("DROP TRIGGER IF EXISTS xshj_delete"),
        QStringLiteral("DROP TRIGGER IF EXISTS xshj_update"),
        QStringLiteral("DROP TABLE IF EXISTS %1").arg(kTable),
        QStringLiteral("CREATE TABLE %1 (\"单数\" INTEGER, \"数量\" INTEGER, \"金额\" INTEGER, \"折后\" INTEGER)")
            .arg(kTable),
        Recount(),
        QStringLiteral("CREATE TRIGGER xshj_insert AFTER INSERT ON xstj BEGIN UPDATE %1 SET 单数 = 单数 + 1, %2; END")
            .arg(kTable, Change(QStringLiteral("new"), "+")),
        QStringLiteral("CREATE TRIGGER xshj_delete AFTER DELETE ON xstj BEGIN UPDATE %1 SET 单数 = 单数 - 1, %2; END")
            .arg(kTable, Change(QStringLiteral("old"), "-")),
        QStringLiteral("CREATE TRIGGER xshj_update AFTER UPDATE OF 数量, 金额, 折后 ON xstj "
                       "BEGIN UPDATE %1 SET %2; UPDATE %1 SET %3; END")
            .arg(kTable, Change(QStringLiteral("old"), "-"), Change(QStringLiteral("new"), "+")),
    };
}

std::vector<QString> ServerStatements()
{
    // Once a statement, over the rows it added and removed: a transaction
    // that adds many tickets updates the row once, not once per ticket.
    const auto change = [](const char *rows, const char *sign) {
        return QStringLiteral(
                   "UPDATE %1 SET 单数 = 单数 %3 t.n, 数量 = 数量 %3 t.q, 金额 = 金额 %3 t.a, 折后 = 折后 %3 t.d "
                   "FROM (SELECT count(*) AS n, coalesce(sum(round(数量 * 10000)), 0) AS q, "
                   "coalesce(sum(round(金额 * 10000)), 0) AS a, coalesce(sum(round(折后 * 10000)), 0) AS d "
                   "FROM %2) t")
            .arg(kTable, QString::fromUtf8(rows), QString::fromUtf8(sign));
    };
    return {
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (\"单数\" bigint, \"数量\" double precision, "
                       "\"金额\" double precision, \"折后\" double precision)")
            .arg(kTable),
        QStringLiteral("CREATE OR REPLACE FUNCTION xshj_change() RETURNS trigger LANGUAGE plpgsql AS $body$ BEGIN "
                       "IF TG_OP <> 'DELETE' THEN %1; END IF; IF TG_OP <> 'INSERT' THEN %2; END IF; "
                       "RETURN NULL; END $body$")
            .arg(change("added", "+"), change("removed", "-")),
        // Counted with the tickets held still, so that none is counted twice or
        // missed. The triggers name no column, so a column's type can still change.
        QStringLiteral("DO $body$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_trigger WHERE tgname = 'xshj_update') THEN "
                       "LOCK TABLE xstj IN SHARE ROW EXCLUSIVE MODE; DELETE FROM %1; %2; "
                       "CREATE TRIGGER xshj_insert AFTER INSERT ON xstj REFERENCING NEW TABLE AS added "
                       "FOR EACH STATEMENT EXECUTE FUNCTION xshj_change(); "
                       "CREATE TRIGGER xshj_delete AFTER DELETE ON xstj REFERENCING OLD TABLE AS removed "
                       "FOR EACH STATEMENT EXECUTE FUNCTION xshj_change(); "
                       "CREATE TRIGGER xshj_update AFTER UPDATE ON xstj REFERENCING OLD TABLE AS removed "
                       "NEW TABLE AS added FOR EACH STATEMENT EXECUTE FUNCTION xshj_change(); END IF; END $body$")
            .arg(kTable, Recount()),
    };
}

bool IsIn(const QStringList &names)
{
    for (const char *part : {"xshj", "xshj_insert", "xshj_delete", "xshj_update"})
        if (!names.contains(QString::fromUtf8(part)))
            return false;
    return true;
}

QString Query()
{
    return QStringLiteral("select 单数, 数量, 金额, 折后 from %1").arg(kTable);
}

} // namespace TicketTotals
