#include "records/XsmxUnit.h"

#include "grid/DataGrid.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"
#include "records/RecordQueries.h"
#include "records/WindowList.h"

#include <QStatusBar>

TXsmxForm::TXsmxForm(QWidget *parent)
    : QDialog(parent)
{
    BuildLayout();
}

TXsmxForm::~TXsmxForm() = default;

void TXsmxForm::BuildLayout()
{
    Controls::FixedWindow(this, "XsmxForm", QStringLiteral("销售明细"), 784, 462, 14);

    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(0, 0, 784, 440);
    DBGridEh1->setColumns(RecordColumns::SoldLines());
    DBGridEh1->setFooterVisible(true);
    DBGridEh1->setRowSet(&ADOQuery1);

    StatusBar1 = Controls::BottomStatusBar(this);
}

void TXsmxForm::ShowTicket(const QString &number)
{
    ReopenWindowList(ADOConnection1, ADOQuery1, RecordQueries::SoldLinesOf(number));
}
