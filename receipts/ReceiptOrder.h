#pragma once

#include "data/shop/PrintSettings.h"
#include "sale/Sale.h"

#include <QString>

// What a receipt is printed from: the sale, the settings saved at checkout,
// the number of lines the remark box shows, and whether the customer block prints.
struct ReceiptOrder
{
    Sale sale;
    PrintSettings settings;
    int remarkLines = 0;
    bool withCustomer = false;
    // A reprint's mark ("重打" and when), printed under the title; empty on a sale's own receipt.
    QString reprintMark;
};
