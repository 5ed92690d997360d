#pragma once

#include "data/store/Session.h"

#include <QString>

// A ticket at checkout, as the counter shows it: each value is the text of
// its field and is converted as its column requires.
struct SaleTicket
{
    QString number; // 单号
    QString time; // 时间, "yyyy-mm-dd hh:mm:ss"
    QString quantity; // total 数量
    QString amount; // total 金额, before discount
    QString discounted; // total 折后
    QString cashier; // 收银员
    QString customer; // 客户
    QString phone; // 电话
    QString address; // 地址
    QString paid; // 支付, the amount the customer handed over
    QString change; // 找零
};

// Throws the ConversionError RecordSale would throw for the ticket's own
// texts (a ticket time that is not a date, a total that is not a number), so
// that no receipt is printed for a sale that cannot be stored.
void CheckSale(const SaleTicket &ticket);

// A sale written in an open transaction of the counter's own file: the ticket's
// row in xstj, one xsmx row per line of xsxx in the order the lines were added
// (beside a server, the sale in the outbox instead), and the emptying of xsxx,
// all already on the disk, so that the commit needs no more room. Nothing
// else may write through the connection until it is committed or dropped;
// dropped uncommitted, it is rolled back and the ticket's lines stay. Throws
// as RecordSale() does, storing nothing.
class PendingSale
{
public:
    PendingSale(Session &connection, const SaleTicket &ticket);
    void commit();

private:
    Session &m_connection;
    Transaction m_transaction;
};

// Stores a sale as one whole: the ticket's row in xstj, one xsmx row per line
// of xsxx in the order the lines were added, and the emptying of xsxx. When a
// column refuses a value or the engine fails, the error is thrown and nothing
// of the sale is stored: the three tables stay as they were.
void RecordSale(Session &connection, const SaleTicket &ticket);
