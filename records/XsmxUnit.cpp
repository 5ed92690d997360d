#include "records/XsmxUnit.h"

#include "data/DataFile.h"
#include "grid/DataGrid.h"
#include "records/RecordColumns.h"
#include "records/RecordQueries.h"

#include <QStatusBar>

TXsmxForm::TXsmxForm(QWidget *parent)
    : QDialog(parent)
{
    BuildLayout();
}

TXsmxForm::~TXsmxForm() = default;

void TXsmxForm::BuildLayout()
{
    setObjectName(QStringLiteral("XsmxForm"));
    setWindowTitle(QStringLiteral("销售明细"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(784, 462);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(14);
    setFont(font);

    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(0, 0, 784, 440);
    DBGridEh1->setColumns(RecordColumns::SoldLines());
    DBGridEh1->setFooterVisible(true);
    DBGridEh1->setRowSet(&ADOQuery1);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, height() - 22, width(), 22);
}

void TXsmxForm::ShowTicket(const QString &number)
{
    ADOConnection1.close();
    ADOQuery1.close();
    ADOConnection1.setConnectionString(RuntimeConnectionString());
    const BoundQuery query = RecordQueries::SoldLinesOf(number);
    ADOQuery1.clearStatement();
    ADOQuery1.addLine(query.statement);
    ADOQuery1.setParameters(query.parameters);
    ADOQuery1.open();
}
