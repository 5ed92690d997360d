#pragma once

#include "data/shop/CurrentTicket.h"
#include "data/shop/PrintSettings.h"

#include <QString>

#include <vector>

// A ticket at checkout, as a value: its lines as the data file holds them,
// the totals worked out from those lines, and the texts of the counter.
struct Ticket
{
    QString number; // 单号
    QString time; // 时间, "yyyy-mm-dd hh:mm:ss"
    QString cashier; // 收银员
    QString customer; // 客户
    QString phone; // 电话
    QString address; // 地址
    std::vector<TicketLine> lines; // read by the checkout from the current ticket
    // Sums of the lines, as the counter shows them ("#0.##" after RoundTotal).
    QString totalQuantity;
    QString totalAmount;
    QString totalDiscounted;
    QString paid; // 支付, as typed
    QString change; // 找零, as shown
};

// What a receipt is printed from: the ticket, the settings saved at checkout,
// the number of lines the remark box shows, and whether the customer block prints.
struct ReceiptOrder
{
    Ticket ticket;
    PrintSettings settings;
    int remarkLines = 0;
    bool withCustomer = false;
    // A reprint's mark ("重打" and when), printed under the title; empty on a sale's own receipt.
    QString reprintMark;
};
