#pragma once

#include "data/shop/HeldTickets.h"

#include <QDialog>

#include <optional>
#include <vector>

class QTableWidget;

// 取单: the held tickets, oldest first, by the time they were held, their
// first product, line count and total; Enter or a double click takes the
// chosen one.
class HeldTicketsDialog : public QDialog
{
    Q_OBJECT
public:
    HeldTicketsDialog(const std::vector<HeldTicket> &held, QWidget *parent);

    // The id of the ticket taken, once accepted.
    std::optional<QString> chosen() const;

private:
    std::vector<HeldTicket> m_held;
    QTableWidget *m_list;
};
