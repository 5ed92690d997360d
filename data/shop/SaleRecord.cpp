#include "data/shop/SaleRecord.h"

#include "data/shop/CurrentTicket.h"
#include "data/store/ColumnValue.h"
#include "data/store/NewRow.h"
#include "data/sync/Outbox.h"

#include <QStringList>

#include <vector>

namespace {

// The columns a ticket line carries from xsxx to xsmx.
const QStringList kLineColumns = {QStringLiteral("品名"), QStringLiteral("单价"), QStringLiteral("数量"),
                                  QStringLiteral("金额"), QStringLiteral("折后")};

// The ticket's lines as texts, in the order they were added.
std::vector<QStringList> ticketLines(DataStore &file)
{
    QStringList quoted;
    for (const QString &column : kLineColumns)
        quoted << QStringLiteral("\"%1\"").arg(column);
    Statement select(file, QStringLiteral("SELECT %1 FROM xsxx ORDER BY ID").arg(quoted.join(QStringLiteral(", "))));
    std::vector<QStringList> lines;
    while (select.step()) {
        QStringList texts;
        for (int i = 0; i < kLineColumns.size(); ++i)
            texts << ColumnValueToText(i == 0 ? ColumnKind::Text : ColumnKind::Number, select.value(i));
        lines.push_back(texts);
    }
    return lines;
}

NewRow ticketRow(const SaleTicket &ticket)
{
    NewRow sale(QStringLiteral("xstj"));
    sale.set(QStringLiteral("单号"), ticket.number);
    sale.set(QStringLiteral("时间"), ticket.time);
    sale.set(QStringLiteral("数量"), ticket.quantity);
    sale.set(QStringLiteral("金额"), ticket.amount);
    sale.set(QStringLiteral("折后"), ticket.discounted);
    sale.set(QStringLiteral("收银员"), ticket.cashier);
    sale.setIfNumber(QStringLiteral("支付"), ticket.paid);
    sale.setIfNumber(QStringLiteral("找零"), ticket.change);
    return sale;
}

SaleRows SaleRowsOf(DataStore &file, const SaleTicket &ticket)
{
    SaleRows rows{ticketRow(ticket), {}};
    for (const QStringList &line : ticketLines(file)) {
        NewRow sold(QStringLiteral("xsmx"));
        sold.set(QStringLiteral("单号"), ticket.number);
        sold.set(QStringLiteral("时间"), ticket.time);
        sold.set(QStringLiteral("客户"), ticket.customer);
        sold.set(QStringLiteral("电话"), ticket.phone);
        sold.set(QStringLiteral("地址"), ticket.address);
        for (int i = 0; i < kLineColumns.size(); ++i)
            sold.set(kLineColumns[i], line[i]);
        rows.lines.push_back(sold);
    }
    return rows;
}

} // namespace

void CheckSale(const SaleTicket &ticket)
{
    ticketRow(ticket);
}

PendingSale::PendingSale(Session &connection, const SaleTicket &ticket)
    : m_connection(connection)
    , m_transaction(connection.file())
{
    FileStore &file = connection.file();
    const SaleRows rows = SaleRowsOf(file, ticket);
    // Beside a server the sale waits in the counter's own file until the
    // server has it, so that a sale is never lost while the server is away.
    if (connection.hasServer()) {
        Outbox::Add(connection, rows);
    } else {
        rows.ticket.insert(file);
        for (const NewRow &line : rows.lines)
            line.insert(file);
    }
    CurrentTicket::Clear(connection);
    file.reserveCommit();
}

void PendingSale::commit()
{
    m_transaction.commit();
    if (m_connection.hasServer())
        emit m_connection.saleQueued();
}

void RecordSale(Session &connection, const SaleTicket &ticket)
{
    PendingSale(connection, ticket).commit();
}
