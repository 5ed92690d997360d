#pragma once

#include "base/Amount.h"

#include <QString>

#include <optional>
#include <vector>

// How a part of a sale was paid. The names are the shop's own and are stored
// as they are written here.
enum class PaymentMethod { Cash, WeChat, Alipay, Card, Other };

// 现金, 微信, 支付宝, 银行卡, 其他.
QString MethodName(PaymentMethod method);
// The method a stored name stands for; none for a name of no method.
std::optional<PaymentMethod> MethodNamed(const QString &name);
// Every method, in the order the payment dialog lists them.
const std::vector<PaymentMethod> &AllMethods();

// One method's part of a payment: for cash, what the customer handed over.
struct Payment
{
    PaymentMethod method = PaymentMethod::Cash;
    Amount amount;
};

// One sold (or returned) line: what was sold, at what price, how many, and
// its amount before and after the discount.
struct SaleLine
{
    QString name; // 品名
    Amount price; // 单价
    Amount quantity; // 数量
    Amount amount; // 金额
    Amount discounted; // 折后
};

// The three totals of a sale's lines, each rounded as the counter shows it.
struct SaleTotals
{
    Amount quantity;
    Amount amount;
    Amount discounted; // what the customer owes
};

// A sale as one value, from the ticket at the counter to the stored record
// and back: the ticket's header, its lines, how it was paid, and the totals
// worked out from the lines. A return is a sale of its own with negative
// lines, naming the sale it returns.
struct Sale
{
    QString number; // 单号
    QString time; // 时间, "yyyy-mm-dd hh:mm:ss"
    QString cashier; // 收银员
    QString customer; // 客户
    QString phone; // 电话
    QString address; // 地址
    QString originalNumber; // 原单号: the sale a return takes back; empty for a sale
    std::vector<SaleLine> lines;
    // What the customer handed over, as typed at the counter or stored ("" when
    // nothing was); with the payment dialog, the sum of its parts.
    QString paid;
    // The parts by method when the payment dialog was used; empty for a sale
    // paid in cash as typed.
    std::vector<Payment> payments;

    bool isReturn() const { return !originalNumber.isEmpty(); }
    // Each total summed in four decimals, then rounded as a total.
    SaleTotals totals() const;
    // Paid − payable, unrounded; none when nothing was paid.
    std::optional<Amount> change() const;
    // What settled the sale, one part per method as recorded: the dialog's
    // parts with the change taken off the cash, or all of it in cash.
    std::vector<Payment> settlement() const;
    // True when cash changes hands: paid in cash as typed, or a cash part.
    bool movesCash() const;
    // True when the receipt lists the methods: a method other than cash, or
    // more than one part.
    bool listsMethods() const;
};
