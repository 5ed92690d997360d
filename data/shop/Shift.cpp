#include "data/shop/Shift.h"

#include "base/AppError.h"
#include "data/shop/MethodSums.h"
#include "data/shop/ReturnCondition.h"
#include "data/shop/TicketCondition.h"
#include "data/store/Session.h"
#include "data/sync/Outbox.h"

#include <QDateTime>

#include <set>

namespace Shift {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// The tickets after the previous shift's end (all without one), up to an
// end when given, with this counter's digits on a server.
TicketCondition ShiftCondition(Session &session, const QString &previousEnd, const QString &end)
{
    TicketCondition condition{QStringLiteral("1 = 1"), {}};
    if (!previousEnd.isEmpty()) {
        condition.where += QStringLiteral(" and 时间 > ?1");
        condition.parameters.push_back(previousEnd);
    }
    if (!end.isEmpty()) {
        condition.where += QStringLiteral(" and 时间 <= ?%1").arg(condition.parameters.size() + 1);
        condition.parameters.push_back(end);
    }
    if (session.hasServer()) {
        // A counter's ticket numbers carry its two digits after the moment's 14.
        condition.where += QStringLiteral(" and substr(单号, 15, 2) = ?%1").arg(condition.parameters.size() + 1);
        condition.parameters.push_back(QStringLiteral("%1").arg(session.counterNumber(), 2, 10, QLatin1Char('0')));
    }
    return condition;
}

// A shift's figures as its tickets come in, in any order.
class ShiftSums
{
public:
    void addTicket(bool isReturn, double discounted, const QString &time, const QString &cashier)
    {
        ++m_tickets;
        (isReturn ? m_returns : m_sales).add(discounted);
        if (m_first.isEmpty() || time < m_first)
            m_first = time;
        if (m_last.isEmpty() || time >= m_last) {
            m_last = time;
            m_cashier = cashier;
        }
    }
    MethodSums methods;

    void fill(Report &report) const
    {
        report.tickets = m_tickets;
        report.start = m_first;
        report.cashier = m_cashier;
        report.sales = Amount(m_sales.value());
        report.returns = Amount(m_returns.value());
        report.net = report.sales + report.returns;
        report.methods = methods.totals();
        report.cashTaken = methods.cashTaken();
        report.cashPaidBack = methods.cashPaidBack();
    }

private:
    int m_tickets = 0;
    FourDecimalSum m_sales;
    FourDecimalSum m_returns;
    QString m_first;
    QString m_last;
    QString m_cashier;
};

// The recorded tickets; the numbers of those read, so that a sale on the server
// and still in the outbox (sent, then killed before it left) counts once.
std::set<QString> AddStored(Session &session, const TicketCondition &condition, ShiftSums &sums)
{
    std::set<QString> numbers;
    Statement tickets(session.in(Store::Shared),
                      QStringLiteral("select case when %2 then 1 else 0 end, coalesce(折后, 0), 时间, "
                                     "coalesce(收银员, ''), 单号 from xstj where %1 order by 时间, 序号")
                          .arg(condition.where, kReturnCondition),
                      condition.parameters);
    while (tickets.step()) {
        sums.addTicket(tickets.value(0).toInt() == 1, tickets.value(1).toDouble(), tickets.value(2).toString(),
                       tickets.value(3).toString());
        numbers.insert(tickets.value(4).toString());
    }
    sums.methods.addStored(session, condition);
    return numbers;
}

// Beside a server, the counter's sales its outbox still holds (the server
// away, or a sale refused) were taken at this drawer all the same.
void AddQueued(Session &session, const QString &previousEnd, const QString &end, const std::set<QString> &stored,
               ShiftSums &sums)
{
    for (const SaleRows &sale : Outbox::Sales(session)) {
        const auto value = [&sale](const char *column) { return sale.ticket.value(QString::fromUtf8(column)); };
        const QString time = value("时间").toString();
        if (stored.count(value("单号").toString()) != 0 || time <= previousEnd || (!end.isEmpty() && time > end))
            continue;
        sums.addTicket(IsReturnTicket(value("原单号").toString(), value("数量").toDouble()), value("折后").toDouble(),
                       time, value("收银员").toString());
        for (const NewRow &payment : sale.payments)
            sums.methods.addPayment(payment.value(QStringLiteral("方式")).toString(),
                                    payment.value(QStringLiteral("金额")).toDouble());
        if (sale.payments.empty())
            sums.methods.addUnrecorded(value("折后").toDouble());
    }
}

void SumShift(Session &session, const QString &previousEnd, const QString &end, Report &report)
{
    ShiftSums sums;
    const std::set<QString> stored = AddStored(session, ShiftCondition(session, previousEnd, end), sums);
    if (session.hasServer())
        AddQueued(session, previousEnd, end, stored, sums);
    sums.fill(report);
}

} // namespace

QString DifferenceName(Amount difference)
{
    const Amount cents = difference.cents();
    if (cents > Amount())
        return QStringLiteral("长款");
    if (cents < Amount())
        return QStringLiteral("短款");
    return {};
}

Amount OpeningFloat(Session &session)
{
    Statement set(session.file(), QStringLiteral("select coalesce(备用金, 0) from dynr"));
    return set.step() ? Amount(set.value(0).toDouble()) : Amount();
}

void SetOpeningFloat(Session &session, Amount openingFloat)
{
    session.exec(QStringLiteral("update dynr set 备用金 = ?1"), {openingFloat.text()});
}

Report Current(Session &session)
{
    Report report;
    QString lastEnd;
    {
        Statement last(session.file(),
                       QStringLiteral("select coalesce(max(班次), 0), coalesce(max(结束), '') from jbjl"));
        if (last.step()) {
            report.number = last.value(0).toInt() + 1;
            lastEnd = last.value(1).toString();
        }
    }
    report.end = QDateTime::currentDateTime().toString(kTimeFormat);
    SumShift(session, lastEnd, {}, report);
    if (report.start.isEmpty())
        report.start = report.end;
    report.openingFloat = OpeningFloat(session);
    return report;
}

void Close(Session &session, const Report &report)
{
    Transaction transaction(session.file());
    session.exec(
        QStringLiteral("insert into jbjl (班次, 收银员, 开始, 结束, 备用金, 现金应有, 现金实点, 差额, 单数, 净额) "
                       "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)"),
        {report.number, report.cashier, report.start, report.end, report.openingFloat.text(),
         report.expectedCash().text(), report.counted.text(), report.difference().text(), report.tickets,
         report.net.text()});
    // The next shift starts with this one's float until another is set.
    SetOpeningFloat(session, report.openingFloat);
    transaction.commit();
}

Report Reported(Session &session, int number)
{
    Statement row(session.file(),
                  QStringLiteral("select 开始, 结束, 备用金, 现金实点, coalesce(收银员, ''), "
                                 "(select max(结束) from jbjl earlier where earlier.班次 < jbjl.班次) "
                                 "from jbjl where 班次 = ?1"),
                  {number});
    if (!row.step())
        throw AppError(QStringLiteral("没有第 %1 班的交班记录。").arg(number));
    Report report;
    report.number = number;
    SumShift(session, row.value(5).toString(), row.value(1).toString(), report);
    report.start = row.value(0).toString();
    report.end = row.value(1).toString();
    report.openingFloat = Amount(row.value(2).toDouble());
    report.counted = Amount(row.value(3).toDouble());
    report.cashier = row.value(4).toString();
    return report;
}

std::vector<ClosedShift> Closed(Session &session, QDate from, QDate to)
{
    std::vector<ClosedShift> shifts;
    Statement rows(
        session.file(),
        QStringLiteral("select 班次, coalesce(收银员, ''), 开始, 结束, 备用金, 现金应有, 现金实点, 差额, 单数, "
                       "净额 from jbjl where 结束 >= ?1 and 结束 < ?2 order by 班次 desc"),
        {from.toString(Qt::ISODate), to.addDays(1).toString(Qt::ISODate)});
    while (rows.step())
        shifts.push_back({rows.value(0).toInt(), rows.value(1).toString(), rows.value(2).toString(),
                          rows.value(3).toString(), Amount(rows.value(4).toDouble()), Amount(rows.value(5).toDouble()),
                          Amount(rows.value(6).toDouble()), Amount(rows.value(7).toDouble()), rows.value(8).toInt(),
                          Amount(rows.value(9).toDouble())});
    return shifts;
}

} // namespace Shift
