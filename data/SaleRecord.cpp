#include "data/SaleRecord.h"

#include "data/ColumnValue.h"
#include "data/Connection.h"
#include "data/CurrentTicket.h"
#include "data/NumberText.h"
#include "data/Schema.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace {

// The columns a ticket line carries from xsxx to xsmx.
const QStringList kLineColumns = {QStringLiteral("品名"), QStringLiteral("单价"), QStringLiteral("数量"),
                                  QStringLiteral("金额"), QStringLiteral("折后")};

ColumnKind kindOf(const QString &table, const QString &column)
{
    for (const Schema::Table &t : Schema::Tables()) {
        if (QString::fromUtf8(t.name) != table)
            continue;
        for (const Schema::Column &c : t.columns)
            if (QString::fromUtf8(c.name) == column)
                return ColumnKindOfDeclaredType(QString::fromUtf8(c.type));
    }
    return ColumnKind::Text;
}

// Column texts of one row to insert, converted as a row set would convert them.
class NewRow
{
public:
    explicit NewRow(QString table)
        : m_table(std::move(table))
    { }

    void set(const QString &column, const QString &text)
    {
        m_columns << column;
        m_values.push_back(ColumnValueFromText(kindOf(m_table, column), text, column));
    }

    // Keeps a figure that is a number and leaves the column empty otherwise:
    // what the customer paid is kept for reprints and never refuses a sale.
    void setIfNumber(const QString &column, const QString &text)
    {
        long double value = 0;
        set(column, TryTextToNumber(text, value) ? text : QString());
    }

    void insert(Connection &connection) const
    {
        QStringList quoted, placeholders;
        for (int i = 0; i < m_columns.size(); ++i) {
            quoted << QStringLiteral("\"%1\"").arg(m_columns[i]);
            placeholders << QStringLiteral("?%1").arg(i + 1);
        }
        connection.exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(m_table, quoted.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", "))),
                        m_values);
    }

private:
    QString m_table;
    QStringList m_columns;
    std::vector<QVariant> m_values;
};

// The ticket's lines as texts, in the order they were added.
std::vector<QStringList> ticketLines(Connection &connection)
{
    QStringList quoted;
    for (const QString &column : kLineColumns)
        quoted << QStringLiteral("\"%1\"").arg(column);
    Statement select(connection,
                     QStringLiteral("SELECT %1 FROM xsxx ORDER BY ID").arg(quoted.join(QStringLiteral(", "))));
    std::vector<QStringList> lines;
    while (select.step()) {
        QStringList texts;
        for (int i = 0; i < kLineColumns.size(); ++i)
            texts << ColumnValueToText(kindOf(QStringLiteral("xsxx"), kLineColumns[i]), select.value(i));
        lines.push_back(texts);
    }
    return lines;
}

NewRow ticketRow(const SaleTicket &ticket)
{
    NewRow sale(QStringLiteral("xstj"));
    sale.set(QStringLiteral("单号"), ticket.number);
    sale.set(QStringLiteral("时间"), ticket.time);
    sale.set(QStringLiteral("数量"), ticket.quantity);
    sale.set(QStringLiteral("金额"), ticket.amount);
    sale.set(QStringLiteral("折后"), ticket.discounted);
    sale.set(QStringLiteral("收银员"), ticket.cashier);
    sale.setIfNumber(QStringLiteral("支付"), ticket.paid);
    sale.setIfNumber(QStringLiteral("找零"), ticket.change);
    return sale;
}

} // namespace

void CheckSale(const SaleTicket &ticket)
{
    ticketRow(ticket);
}

void RecordSale(Connection &connection, const SaleTicket &ticket)
{
    Transaction transaction(connection);
    ticketRow(ticket).insert(connection);

    for (const QStringList &line : ticketLines(connection)) {
        NewRow sold(QStringLiteral("xsmx"));
        sold.set(QStringLiteral("单号"), ticket.number);
        sold.set(QStringLiteral("时间"), ticket.time);
        sold.set(QStringLiteral("客户"), ticket.customer);
        sold.set(QStringLiteral("电话"), ticket.phone);
        sold.set(QStringLiteral("地址"), ticket.address);
        for (int i = 0; i < kLineColumns.size(); ++i)
            sold.set(kLineColumns[i], line[i]);
        sold.insert(connection);
    }

    CurrentTicket::Clear(connection);
    transaction.commit();
}
