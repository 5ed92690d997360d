#include "data/shop/SalesLedger.h"

#include "data/shop/DeletionJournal.h"
#include "data/shop/PaymentText.h"
#include "data/shop/TicketCondition.h"
#include "data/store/ColumnValue.h"
#include "data/store/PagedRows.h"
#include "data/store/ReopenQuery.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "data/store/TicketTotals.h"

#include <QVariant>

#include <vector>

namespace SalesLedger {

namespace {

// The ticket list's columns: the paid amount and the change are kept for
// reprints, not listed or exported.
const QString kListedColumns = QStringLiteral("序号, 单号, 时间, 数量, 金额, 折后, 收银员");

// A page at a time in the given order, summed in the engine, with the way
// each ticket was paid after the listed columns.
void OpenWithPayments(RowSet &tickets, const TicketFilter &filter, const QStringList &key, bool nullFirst)
{
    const TicketCondition condition = ConditionOf(filter);
    Session &session = tickets.connection();
    DeletionJournal::JournalDeletions(tickets);
    tickets.setAppendedColumn(
        QStringLiteral("支付方式"), QStringLiteral("单号"),
        [&session](const std::vector<QVariant> &numbers) { return PaymentText::OfTickets(session, numbers); });
    tickets.openPages(Store::Shared,
                      {QStringLiteral("xstj"),
                       kListedColumns,
                       condition.where,
                       condition.parameters,
                       key,
                       nullFirst,
                       {QStringLiteral("数量"), QStringLiteral("金额"), QStringLiteral("折后")},
                       // Every ticket is counted and summed as the engine keeps them.
                       filter.kind == TicketFilter::Kind::All ? TicketTotals::Query() : QString()});
}

QString NumberText(const QVariant &value)
{
    return ColumnValueToText(ColumnKind::Number, value);
}

} // namespace

void OpenTickets(RowSet &tickets, const TicketFilter &filter)
{
    // A span lists in time order, the others in stored order.
    OpenWithPayments(tickets, filter,
                     filter.kind == TicketFilter::Kind::Between
                         ? QStringList{QStringLiteral("时间"), QStringLiteral("序号")}
                         : QStringList{QStringLiteral("序号")},
                     false);
}

void OpenTicketsByNumber(RowSet &tickets)
{
    OpenWithPayments(tickets, TicketFilter::All(), {QStringLiteral("单号"), QStringLiteral("序号")}, true);
}

void OpenSoldLines(RowSet &lines, const QString &number)
{
    DeletionJournal::JournalDeletions(lines);
    if (number.isEmpty()) {
        // Every line of every ticket: a page at a time, in stored order.
        lines.openPages(Store::Shared,
                        {QStringLiteral("xsmx"),
                         QStringLiteral("*"),
                         QStringLiteral("单号<>''"),
                         {},
                         {QStringLiteral("序号")},
                         false,
                         {QStringLiteral("数量"), QStringLiteral("金额"), QStringLiteral("折后")},
                         QString()});
        return;
    }
    // A number that contains the searched one is that number or a longer one:
    // each branch has an index (on 单号 and on its length), where a bare
    // substring test reads every line. The unary plus keeps the planner from
    // walking the whole table in 序号 order; the few lines found are sorted after.
    ReopenQuery(lines, Store::Shared,
                QStringLiteral("select * from xsmx where 单号 = ?1 "
                               "or (length(单号) > length(?1) and instr(单号, ?1) > 0) order by +序号"),
                {number});
}

std::optional<Sale> FindSale(Session &session, const QString &number)
{
    DataStore &store = session.in(Store::Shared);
    Statement ticket(store,
                     QStringLiteral("select 时间, 收银员, 支付, 找零, 原单号 from xstj "
                                    "where 单号 = ?1 order by 序号 desc limit 1"),
                     {number});
    if (!ticket.step())
        return std::nullopt;
    Sale sale;
    sale.number = number;
    sale.time = ticket.value(0).toString();
    sale.cashier = ticket.value(1).toString();
    sale.paid = NumberText(ticket.value(2));
    const Amount change = ticket.value(3).toDouble();
    sale.originalNumber = ticket.value(4).toString();

    Statement lines(store,
                    QStringLiteral("select 品名, 单价, 数量, 金额, 折后, 客户, 电话, 地址, 原单号 from xsmx "
                                   "where 单号 = ?1 order by 序号"),
                    {number});
    const auto figure = [&lines](int column) { return Amount(lines.value(column).toDouble()); };
    while (lines.step()) {
        sale.lines.push_back({lines.value(0).toString(), figure(1), figure(2), figure(3), figure(4)});
        sale.customer = lines.value(5).toString();
        sale.phone = lines.value(6).toString();
        sale.address = lines.value(7).toString();
    }

    // The parts as recorded, the cash part with the change it gave back: as the customer handed them over.
    Statement parts(store, QStringLiteral("select 方式, 金额 from zfmx where 单号 = ?1 order by 序号"), {number});
    while (parts.step())
        if (const std::optional<PaymentMethod> method = MethodNamed(parts.value(0).toString()))
            sale.payments.push_back({*method, parts.value(1).toDouble()});
    for (Payment &part : sale.payments)
        if (part.method == PaymentMethod::Cash)
            part.amount += change;
    return sale;
}

} // namespace SalesLedger
