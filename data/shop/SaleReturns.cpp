#include "data/shop/SaleReturns.h"

#include "base/AppError.h"
#include "data/shop/PrintSettings.h"
#include "data/shop/ReturnCondition.h"
#include "data/shop/SalesLedger.h"
#include "data/store/Session.h"
#include "data/sync/TicketNumbers.h"

#include <algorithm>

namespace SaleReturns {

namespace {

DataError Beyond(const QString &product, Amount left, Amount wanted)
{
    return DataError(QStringLiteral("“%1”最多还能退 %2，不能退 %3！")
                         .arg(product, std::max(left, Amount(0)).displayText(), wanted.displayText()));
}

// Takes a returned line (negative figures) off the sale's lines of the same
// 品名 and 单价, as the rule above says; false when the sale has no such line.
bool TakeBack(std::vector<ReturnableLine> &lines, const SaleLine &returned)
{
    ReturnableLine *last = nullptr;
    Amount quantity = -returned.quantity, discounted = -returned.discounted;
    for (ReturnableLine &line : lines) {
        if (line.sold.name != returned.name || line.sold.price != returned.price)
            continue;
        last = &line;
        const Amount taken = std::min(std::max(line.left(), Amount(0)), quantity);
        if (taken <= 0)
            continue;
        const Amount share = Amount(discounted.value() * taken.value() / quantity.value()).cents();
        line.returned += taken;
        line.returnedDiscounted += share;
        quantity -= taken;
        discounted -= share;
    }
    if (last && quantity > 0) {
        last->returned += quantity;
        last->returnedDiscounted += discounted;
    }
    return last != nullptr;
}

} // namespace

Returnable Find(Session &session, const QString &number)
{
    const std::optional<Sale> sale = SalesLedger::FindSale(session, number);
    if (!sale)
        throw DataError(QStringLiteral("没有单号为 %1 的销售记录，无法退货！").arg(number));
    if (sale->isReturn())
        throw DataError(QStringLiteral("单号 %1 是退货单，退货单不能再退货！").arg(number));
    if (sale->lines.empty())
        throw DataError(QStringLiteral("单号为 %1 的销售没有明细，无法退货！").arg(number));
    Returnable returnable{*sale, {}};
    for (const SaleLine &line : sale->lines)
        returnable.lines.push_back({line, 0, 0});
    // xsmx.原单号 is set only on the lines of returns.
    Statement earlier(session.in(Store::Shared),
                      QStringLiteral("select 品名, 单价, 数量, 折后 from xsmx where 原单号 = ?1 order by 序号"),
                      {number});
    while (earlier.step())
        TakeBack(returnable.lines,
                 {earlier.value(0).toString(), earlier.value(1).toDouble(), earlier.value(2).toDouble(), 0,
                  earlier.value(3).toDouble()});
    return returnable;
}

Sale Build(Session &session, const Returnable &returnable, const std::vector<QString> &quantities, PaymentMethod method,
           const QDateTime &at)
{
    const Sale &sold = returnable.sale;
    Sale saleReturn;
    saleReturn.originalNumber = sold.number;
    saleReturn.customer = sold.customer;
    saleReturn.phone = sold.phone;
    saleReturn.address = sold.address;
    for (size_t i = 0; i < returnable.lines.size() && i < quantities.size(); ++i) {
        const ReturnableLine &line = returnable.lines[i];
        const QString typed = quantities[i].trimmed();
        const std::optional<Amount> quantity = typed.isEmpty() ? Amount(0) : Amount::tryFromText(typed);
        if (!quantity || *quantity < 0 || !quantity->withinLimit())
            throw DataError(QStringLiteral("“%1”的退货数量“%2”不是正数！").arg(line.sold.name, typed));
        if (*quantity == 0)
            continue;
        if (*quantity > line.left())
            throw Beyond(line.sold.name, line.left(), *quantity);
        // The last of a line takes back all of its 折后 still left, so that the returns net it to the cent.
        const Amount discounted = *quantity == line.left()
            ? line.sold.discounted - line.returnedDiscounted
            : Amount(line.sold.discounted.value() * quantity->value() / line.sold.quantity.value()).cents();
        saleReturn.lines.push_back(
            {line.sold.name, line.sold.price, -*quantity, -(line.sold.price * *quantity).cents(), -discounted});
    }
    if (saleReturn.lines.empty())
        throw DataError(QStringLiteral("请填写要退货的数量！"));
    const Amount payable = saleReturn.totals().discounted;
    saleReturn.payments = {{method, payable}};
    saleReturn.paid = payable.text();
    saleReturn.cashier = LoadPrintSettings(session).cashier;
    saleReturn.time = at.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    saleReturn.number = IssueTicketNumber(session, at);
    return saleReturn;
}

void RequireReturnable(Session &session, const Sale &saleReturn)
{
    const Returnable before = Find(session, saleReturn.originalNumber);
    std::vector<ReturnableLine> after = before.lines;
    for (const SaleLine &line : saleReturn.lines)
        if (!TakeBack(after, line))
            throw DataError(
                QStringLiteral("单号 %1 的销售中没有“%2”，无法退货！").arg(saleReturn.originalNumber, line.name));
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i].left() < 0)
            throw Beyond(after[i].sold.name, before.lines[i].left(), after[i].returned - before.lines[i].returned);
}

std::vector<Recorded> MadeAgainst(Session &session, const QString &number)
{
    // Found through their lines' 原单号 and the tickets' numbers, both indexed.
    Statement returns(session.in(Store::Shared),
                      QStringLiteral("select 单号, 时间, 折后 from xstj where 单号 in "
                                     "(select 单号 from xsmx where 原单号 = ?1) and 原单号 = ?1 and %1 order by 序号")
                          .arg(kReturnCondition),
                      {number});
    std::vector<Recorded> made;
    while (returns.step())
        made.push_back({returns.value(0).toString(), returns.value(1).toString(), returns.value(2).toDouble()});
    return made;
}

} // namespace SaleReturns
