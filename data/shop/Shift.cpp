#include "data/shop/Shift.h"

#include "base/AppError.h"
#include "data/shop/PaymentText.h"
#include "data/shop/ReturnCondition.h"
#include "data/store/Session.h"

#include <QDateTime>

#include <map>

namespace Shift {

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// A shift's tickets as the condition of a statement over xstj.
struct Condition
{
    QString where;
    std::vector<QVariant> parameters;
};

// The tickets after the previous shift's end (all without one), up to an
// end when given, with this counter's digits on a server.
Condition ShiftCondition(Session &session, const QString &previousEnd, const QString &end = {})
{
    Condition condition{QStringLiteral("1 = 1"), {}};
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

void SumTickets(Session &session, const Condition &condition, Report &report)
{
    FourDecimalSum sales;
    FourDecimalSum returns;
    Statement tickets(session.in(Store::Shared),
                      QStringLiteral("select case when %2 then 1 else 0 end, coalesce(折后, 0), 时间, "
                                     "coalesce(收银员, '') from xstj where %1 order by 时间, 序号")
                          .arg(condition.where, kReturnCondition),
                      condition.parameters);
    while (tickets.step()) {
        ++report.tickets;
        (tickets.value(0).toInt() == 1 ? returns : sales).add(tickets.value(1).toDouble());
        if (report.start.isEmpty())
            report.start = tickets.value(2).toString();
        report.cashier = tickets.value(3).toString();
    }
    report.sales = Amount(sales.value());
    report.returns = Amount(returns.value());
    report.net = report.sales + report.returns;
}

// Each method's amount from the payment rows, cash taken and paid back apart;
// tickets without rows count at their discounted amount, as unrecorded.
void SumMethods(Session &session, const Condition &condition, Report &report)
{
    std::map<QString, FourDecimalSum> methods;
    FourDecimalSum taken;
    FourDecimalSum paidBack;
    Statement payments(session.in(Store::Shared),
                       QStringLiteral("select coalesce(方式, ''), 金额 from zfmx "
                                      "where 单号 in (select 单号 from xstj where %1) and 金额 is not null")
                           .arg(condition.where),
                       condition.parameters);
    while (payments.step()) {
        const QString method = payments.value(0).toString();
        const double amount = payments.value(1).toDouble();
        methods[method].add(amount);
        if (method == QStringLiteral("现金"))
            (amount < 0 ? paidBack : taken).add(amount < 0 ? -amount : amount);
    }
    for (const auto &[method, sum] : methods)
        report.methods.push_back({method, Amount(sum.value())});
    report.cashTaken = Amount(taken.value());
    report.cashPaidBack = Amount(paidBack.value());

    FourDecimalSum unrecorded;
    bool anyUnrecorded = false;
    Statement unpaid(session.in(Store::Shared),
                     QStringLiteral("select coalesce(折后, 0) from xstj where %1 and not exists "
                                    "(select 1 from zfmx where zfmx.单号 = xstj.单号)")
                         .arg(condition.where),
                     condition.parameters);
    while (unpaid.step()) {
        anyUnrecorded = true;
        unrecorded.add(unpaid.value(0).toDouble());
    }
    if (anyUnrecorded)
        report.methods.push_back({PaymentText::kUnrecorded, Amount(unrecorded.value())});
}

void SumShift(Session &session, const Condition &condition, Report &report)
{
    SumTickets(session, condition, report);
    SumMethods(session, condition, report);
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
    SumShift(session, ShiftCondition(session, lastEnd), report);
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
    SumShift(session, ShiftCondition(session, row.value(5).toString(), row.value(1).toString()), report);
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
