#include "data/shop/SaleRecord.h"

#include "data/shop/CurrentTicket.h"
#include "data/shop/SaleReturns.h"
#include "data/store/NewRow.h"
#include "data/sync/Outbox.h"

namespace {

NewRow ticketRow(const Sale &sale)
{
    const SaleTotals totals = sale.totals();
    NewRow ticket(QStringLiteral("xstj"));
    ticket.set(QStringLiteral("单号"), sale.number);
    ticket.set(QStringLiteral("时间"), sale.time);
    ticket.set(QStringLiteral("数量"), totals.quantity.text());
    ticket.set(QStringLiteral("金额"), totals.amount.text());
    ticket.set(QStringLiteral("折后"), totals.discounted.text());
    ticket.set(QStringLiteral("收银员"), sale.cashier);
    ticket.setIfNumber(QStringLiteral("支付"), sale.paid);
    if (const std::optional<Amount> change = sale.change())
        ticket.set(QStringLiteral("找零"), change->text());
    if (sale.isReturn())
        ticket.set(QStringLiteral("原单号"), sale.originalNumber);
    return ticket;
}

SaleRows RowsOf(const Sale &sale)
{
    SaleRows rows{ticketRow(sale), {}, {}};
    for (const SaleLine &line : sale.lines) {
        NewRow sold(QStringLiteral("xsmx"));
        const std::pair<const char *, QString> columns[] = {
            {"单号", sale.number},        {"时间", sale.time},
            {"客户", sale.customer},      {"电话", sale.phone},
            {"地址", sale.address},       {"品名", line.name},
            {"单价", line.price.text()},  {"数量", line.quantity.text()},
            {"金额", line.amount.text()}, {"折后", line.discounted.text()}};
        for (const auto &[column, text] : columns)
            sold.set(QString::fromUtf8(column), text);
        if (sale.isReturn())
            sold.set(QStringLiteral("原单号"), sale.originalNumber);
        rows.lines.push_back(sold);
    }
    for (const Payment &part : sale.settlement()) {
        NewRow paid(QStringLiteral("zfmx"));
        paid.set(QStringLiteral("单号"), sale.number);
        paid.set(QStringLiteral("方式"), MethodName(part.method));
        paid.set(QStringLiteral("金额"), part.amount.text());
        rows.payments.push_back(paid);
    }
    return rows;
}

} // namespace

void CheckSale(const Sale &sale)
{
    ticketRow(sale);
}

PendingSale::PendingSale(Session &connection, const Sale &sale, EnteredTicket entered)
    : m_connection(connection)
    , m_transaction(connection.file())
{
    FileStore &file = connection.file();
    // Inside the transaction, which holds the counter's file: no other window
    // or program on it returns the same lines meanwhile. Beside a server the
    // server's rows are read, as up to date as they are at this moment.
    if (sale.isReturn())
        SaleReturns::RequireReturnable(connection, sale);
    const SaleRows rows = RowsOf(sale);
    // Beside a server the sale waits in the counter's own file until the
    // server has it, so that a sale is never lost while the server is away.
    if (connection.hasServer())
        Outbox::Add(connection, rows);
    else
        InsertSaleRows(file, rows);
    if (entered == EnteredTicket::Cleared)
        CurrentTicket::Clear(connection);
    file.reserveCommit();
}

void PendingSale::commit()
{
    m_transaction.commit();
    if (m_connection.hasServer())
        emit m_connection.saleQueued();
}

void RecordSale(Session &connection, const Sale &sale, EnteredTicket entered)
{
    PendingSale(connection, sale, entered).commit();
}
