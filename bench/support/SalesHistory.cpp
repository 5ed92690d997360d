#include "bench/support/SalesHistory.h"

#include "data/store/Session.h"

#include <QDate>

void GenerateSales(Session &connection, int tickets, int linesPerTicket)
{
    Transaction transaction(connection.file());
    connection.exec(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < ?1 - 1) "
                                   "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
                                   "select strftime('%Y%m%d%H%M%S', 1704067200 + i * 120, 'unixepoch'), "
                                   "strftime('%Y-%m-%d %H:%M:%S', 1704067200 + i * 120, 'unixepoch'), "
                                   "?2, i % 100 + 0.5, i % 100 * 0.9 + 0.45, '收银员' || (i % 7) from n"),
                    {tickets, linesPerTicket});
    connection.exec(QStringLiteral("with recursive k(j) as (select 1 union all select j + 1 from k where j < ?1) "
                                   "insert into xsmx (单号, 时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后) "
                                   "select 单号, 时间, '', '', '', '商品' || j, j * 1.5, 1, j * 1.5, j * 1.35 "
                                   "from xstj, k order by xstj.序号, j"),
                    {linesPerTicket});
    transaction.commit();
}

void GenerateProducts(Session &connection, int products)
{
    Transaction transaction(connection.file());
    connection.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < ?1) "
                                   "insert into spxx (品名, 单价, 备注) select '商品' || i, i % 97 + 0.5, '' from n"),
                    {products});
    transaction.commit();
}

void GenerateDay(Session &connection, const QDate &day, int tickets, int products)
{
    const QString date = day.toString(QStringLiteral("yyyy-MM-dd"));
    Transaction transaction(connection.file());
    connection.exec(QStringLiteral("with recursive n(i) as (select 0 union all select i + 1 from n where i < ?1 - 1) "
                                   "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员, 原单号) "
                                   "select 'D' || i, datetime(?2, '+' || (i * 86399 / ?1) || ' seconds'), "
                                   "case when i % 20 = 19 then -3 else 3 end, 0, "
                                   "case when i % 20 = 19 then -1 else 1 end * (i % 100 + 0.45), '收银员' || (i % 7), "
                                   "case when i % 20 = 19 then 'D' || (i - 1) end from n"),
                    {tickets, date});
    connection.exec(QStringLiteral("with recursive k(j) as (select 0 union all select j + 1 from k where j < 2) "
                                   "insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                                   "select 单号, 时间, '商品' || ((序号 * 3 + j) % ?1), 1.5, 数量 / 3, 1.5, 折后 / 3 "
                                   "from xstj, k where 单号 like 'D%' order by xstj.序号, j"),
                    {products});
    connection.exec(
        QStringLiteral("insert into zfmx (单号, 方式, 金额) select 单号, case when 序号 % 3 = 0 then '现金' "
                       "else '微信' end, 折后 from xstj where 单号 like 'D%'"));
    transaction.commit();
}
