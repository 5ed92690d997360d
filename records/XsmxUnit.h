#pragma once

#include "data/Connection.h"
#include "data/RowSet.h"

#include <QDialog>

class DataGrid;
class QStatusBar;

// The sales detail: the sold lines of one recorded ticket, read-only.
class TXsmxForm : public QDialog
{
    Q_OBJECT
public:
    explicit TXsmxForm(QWidget *parent = nullptr);
    ~TXsmxForm() override;

    DataGrid *DBGridEh1 = nullptr;
    QStatusBar *StatusBar1;

    Connection ADOConnection1;
    RowSet ADOQuery1{ADOConnection1};

    // Reconnects and lists the lines whose ticket number contains `number`
    // (every line with a ticket number when it is empty).
    void ShowTicket(const QString &number);

private:
    void BuildLayout();
};
