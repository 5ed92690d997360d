#include "records/SaleDetailWindow.h"

#include "data/SalesLedger.h"
#include "grid/DataGrid.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"

SaleDetailWindow::SaleDetailWindow(Connection &session, QWidget *parent)
    : QDialog(parent)
    , m_lines(session)
{
    Controls::FixedWindow(this, "XsmxForm", QStringLiteral("销售明细"), 784, 462, 14);

    auto *lineGrid = new DataGrid(this);
    lineGrid->setObjectName(QStringLiteral("DBGridEh1"));
    lineGrid->setGeometry(0, 0, 784, 440);
    lineGrid->setColumns(RecordColumns::SoldLines());
    lineGrid->setFooterVisible(true);
    lineGrid->setRowSet(&m_lines);

    Controls::BottomStatusBar(this);
}

SaleDetailWindow::~SaleDetailWindow() = default;

void SaleDetailWindow::showTicket(const QString &number)
{
    SalesLedger::OpenSoldLines(m_lines, number);
}
