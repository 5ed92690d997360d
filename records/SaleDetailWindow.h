#pragma once

#include "data/RowSet.h"

#include <QDialog>

class Connection;

// The sales detail: the sold lines of one recorded ticket, read-only.
class SaleDetailWindow : public QDialog
{
    Q_OBJECT
public:
    explicit SaleDetailWindow(Connection &session, QWidget *parent = nullptr);
    ~SaleDetailWindow() override;

    // Lists the lines whose ticket number contains `number`, as the data file
    // holds them now (every line with a ticket number when it is empty).
    void showTicket(const QString &number);

private:
    RowSet m_lines;
};
