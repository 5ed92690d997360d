#include "counter/HeldTicketsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

HeldTicketsDialog::HeldTicketsDialog(const std::vector<HeldTicket> &held, QWidget *parent)
    : QDialog(parent)
    , m_held(held)
    , m_list(new QTableWidget(static_cast<int>(held.size()), 4))
{
    setObjectName(QStringLiteral("HeldTicketsDialog"));
    setWindowTitle(QStringLiteral("取单"));
    m_list->setObjectName(QStringLiteral("HeldTicketList"));
    m_list->setHorizontalHeaderLabels(
        {QStringLiteral("挂单时间"), QStringLiteral("商品"), QStringLiteral("行数"), QStringLiteral("合计")});
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const HeldTicket &ticket = m_held[static_cast<size_t>(row)];
        const QString cells[] = {ticket.time, ticket.firstProduct, QString::number(ticket.lineCount),
                                 ticket.total.displayText()};
        for (int column = 0; column < 4; ++column)
            m_list->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    m_list->resizeColumnsToContents();
    m_list->setMinimumWidth(480);
    m_list->selectRow(0);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    m_list->setFocus();
}

std::optional<QString> HeldTicketsDialog::chosen() const
{
    const int row = m_list->currentRow();
    if (result() != Accepted || row < 0)
        return std::nullopt;
    return m_held[static_cast<size_t>(row)].id;
}
