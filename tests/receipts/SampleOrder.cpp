#include "tests/receipts/SampleOrder.h"

namespace {

bool IsTwoPart(ReceiptTemplate which)
{
    return which == ReceiptTemplate::TwoPart58 || which == ReceiptTemplate::TwoPart76;
}

bool IsWide(ReceiptTemplate which)
{
    return which == ReceiptTemplate::OnePart76 || which == ReceiptTemplate::TwoPart76;
}

} // namespace

ReceiptOrder SampleOrder(ReceiptTemplate which, bool withCustomer, int lines)
{
    const SaleLine rows[] = {
        {QStringLiteral("苹果"), 12.5L, 2, 25, 25},
        {QStringLiteral("香蕉"), 3, 3, 9, 8.1L},
        {QStringLiteral("西瓜"), 2.675L, 1, 2.675L, 0},
    };
    ReceiptOrder order;
    order.settings.shopName = QStringLiteral("好运小店");
    order.settings.remark = QStringLiteral("欢迎再次光临\n谢谢惠顾");
    order.settings.cashier = QStringLiteral("张三");
    order.settings.pos = IsWide(which) ? QStringLiteral("76") : QStringLiteral("58");
    order.settings.modle = IsTwoPart(which) ? QStringLiteral("两联") : QStringLiteral("一联");
    order.settings.print = QStringLiteral("1");
    order.remarkLines = 2;
    order.withCustomer = withCustomer;

    Sale &ticket = order.sale;
    ticket.number = QStringLiteral("20240102030405");
    ticket.time = QStringLiteral("2024-01-02 03:04:05");
    ticket.cashier = QStringLiteral("张三");
    ticket.customer = QStringLiteral("李四");
    ticket.phone = QStringLiteral("13800138000");
    ticket.address = QStringLiteral("北京路1号");
    for (int i = 0; i < lines; ++i)
        ticket.lines.push_back(rows[i % 3]);
    ticket.paid = QStringLiteral("50");
    return order;
}

const char *TemplateName(ReceiptTemplate which)
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return "OnePart58";
    case ReceiptTemplate::OnePart76:
        return "OnePart76";
    case ReceiptTemplate::TwoPart58:
        return "TwoPart58";
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return "TwoPart76";
}
