#include "bench/support/SalesHistory.h"

#include "data/store/Session.h"

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
