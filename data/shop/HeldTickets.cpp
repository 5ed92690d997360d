#include "data/shop/HeldTickets.h"

#include "base/AppError.h"
#include "data/store/Session.h"

#include <QVariant>

namespace HeldTickets {

int Count(Session &session)
{
    Statement count(session.file(), QStringLiteral("select count(distinct 挂单号) from gdxx"));
    count.step();
    return count.value(0).toInt();
}

void Hold(Session &session, const QString &time, const TicketCustomer &customer)
{
    Transaction transaction(session.file());
    session.exec(QStringLiteral("insert into gdxx (挂单时间, 客户, 电话, 地址, 品名, 单价, 数量, 金额, 折后) "
                                "select ?1, ?2, ?3, ?4, 品名, 单价, 数量, 金额, 折后 from xsxx order by ID"),
                 {time, customer.name, customer.phone, customer.address});
    // The hold is known by its first line's number: ticket numbers may repeat within a second.
    session.exec(QStringLiteral("update gdxx set 挂单号 = (select min(序号) from gdxx where 挂单号 is null) "
                                "where 挂单号 is null"));
    session.exec(QStringLiteral("delete from xsxx"));
    transaction.commit();
}

std::vector<HeldTicket> List(Session &session)
{
    Statement rows(
        session.file(),
        QStringLiteral("select 挂单号, min(挂单时间), "
                       "(select 品名 from gdxx earliest where earliest.挂单号 = gdxx.挂单号 order by 序号 limit 1), "
                       "count(*), total(折后) from gdxx group by 挂单号 order by min(序号)"));
    std::vector<HeldTicket> held;
    while (rows.step())
        held.push_back({rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toString(),
                        rows.value(3).toInt(), Amount(rows.value(4).toDouble())});
    return held;
}

TicketCustomer Recall(Session &session, const QString &id, const QString &ticketNumber, const QString &time)
{
    Statement customer(session.file(),
                       QStringLiteral("select 客户, 电话, 地址 from gdxx where 挂单号 = ?1 order by 序号 limit 1"),
                       {id});
    if (!customer.step())
        throw AppError(QStringLiteral("挂单 %1 已不在，可能已被取回").arg(id));
    const TicketCustomer whom{customer.value(0).toString(), customer.value(1).toString(), customer.value(2).toString()};
    Transaction transaction(session.file());
    session.exec(
        QStringLiteral("insert into xsxx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                       "select ?2, ?3, 品名, 单价, 数量, 金额, 折后 from gdxx where 挂单号 = ?1 order by 序号"),
        {id, ticketNumber, time});
    session.exec(QStringLiteral("delete from gdxx where 挂单号 = ?1"), {id});
    transaction.commit();
    return whom;
}

} // namespace HeldTickets
