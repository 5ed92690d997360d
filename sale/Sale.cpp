#include "sale/Sale.h"

#include <algorithm>

namespace {

struct NamedMethod
{
    PaymentMethod method;
    const char *name;
};

constexpr NamedMethod kMethods[] = {{PaymentMethod::Cash, "现金"},
                                    {PaymentMethod::WeChat, "微信"},
                                    {PaymentMethod::Alipay, "支付宝"},
                                    {PaymentMethod::Card, "银行卡"},
                                    {PaymentMethod::Other, "其他"}};

} // namespace

QString MethodName(PaymentMethod method)
{
    for (const NamedMethod &named : kMethods)
        if (named.method == method)
            return QString::fromUtf8(named.name);
    return {};
}

std::optional<PaymentMethod> MethodNamed(const QString &name)
{
    for (const NamedMethod &named : kMethods)
        if (QString::fromUtf8(named.name) == name)
            return named.method;
    return std::nullopt;
}

const std::vector<PaymentMethod> &AllMethods()
{
    static const std::vector<PaymentMethod> methods = [] {
        std::vector<PaymentMethod> all;
        for (const NamedMethod &named : kMethods)
            all.push_back(named.method);
        return all;
    }();
    return methods;
}

SaleTotals Sale::totals() const
{
    FourDecimalSum quantity, amount, discounted;
    for (const SaleLine &line : lines) {
        quantity.add(static_cast<double>(line.quantity.value()));
        amount.add(static_cast<double>(line.amount.value()));
        discounted.add(static_cast<double>(line.discounted.value()));
    }
    return {Amount(quantity.value()).total(), Amount(amount.value()).total(), Amount(discounted.value()).total()};
}

std::optional<Amount> Sale::change() const
{
    const std::optional<Amount> handed = Amount::tryFromText(paid);
    if (!handed)
        return std::nullopt;
    return *handed - totals().discounted;
}

std::vector<Payment> Sale::settlement() const
{
    if (payments.empty())
        return {{PaymentMethod::Cash, totals().discounted}};
    std::vector<Payment> parts = payments;
    const Amount change = this->change().value_or(0);
    const auto cash = std::find_if(parts.begin(), parts.end(),
                                   [](const Payment &part) { return part.method == PaymentMethod::Cash; });
    if (cash != parts.end())
        cash->amount -= change;
    return parts;
}

bool Sale::movesCash() const
{
    return payments.empty() || std::any_of(payments.begin(), payments.end(), [](const Payment &part) {
               return part.method == PaymentMethod::Cash;
           });
}

bool Sale::listsMethods() const
{
    return payments.size() > 1 || (payments.size() == 1 && payments.front().method != PaymentMethod::Cash);
}
