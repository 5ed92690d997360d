#include "data/shop/MethodSums.h"

#include "data/shop/PaymentText.h"
#include "data/shop/TicketCondition.h"
#include "data/store/Session.h"

void MethodSums::addStored(Session &session, const TicketCondition &tickets)
{
    Statement payments(session.in(Store::Shared),
                       QStringLiteral("select coalesce(方式, ''), 金额 from zfmx "
                                      "where 单号 in (select 单号 from xstj where %1) and 金额 is not null")
                           .arg(tickets.where),
                       tickets.parameters);
    while (payments.step())
        addPayment(payments.value(0).toString(), payments.value(1).toDouble());

    Statement unpaid(session.in(Store::Shared),
                     QStringLiteral("select coalesce(折后, 0) from xstj where %1 and not exists "
                                    "(select 1 from zfmx where zfmx.单号 = xstj.单号)")
                         .arg(tickets.where),
                     tickets.parameters);
    while (unpaid.step())
        addUnrecorded(unpaid.value(0).toDouble());
}

void MethodSums::addPayment(const QString &method, double amount)
{
    m_methods[method].add(amount);
    if (method == QStringLiteral("现金"))
        (amount < 0 ? m_cashPaidBack : m_cashTaken).add(amount < 0 ? -amount : amount);
}

void MethodSums::addUnrecorded(double discounted)
{
    m_anyUnrecorded = true;
    m_unrecorded.add(discounted);
}

std::vector<MethodTotal> MethodSums::totals() const
{
    std::vector<MethodTotal> totals;
    for (const auto &[method, sum] : m_methods)
        totals.push_back({method, Amount(sum.value())});
    if (m_anyUnrecorded)
        totals.push_back({PaymentText::kUnrecorded, Amount(m_unrecorded.value())});
    return totals;
}

Amount MethodSums::cashTaken() const
{
    return Amount(m_cashTaken.value());
}

Amount MethodSums::cashPaidBack() const
{
    return Amount(m_cashPaidBack.value());
}
