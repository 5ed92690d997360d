#include "records/SaleDetailWindow.h"

#include "data/shop/SaleReturns.h"
#include "data/shop/SalesLedger.h"
#include "grid/DataGrid.h"
#include "grid/Handlers.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"
#include "records/ReprintAction.h"
#include "records/ReturnAction.h"

#include <QLabel>
#include <QStringList>
#include <QToolButton>

SaleDetailWindow::SaleDetailWindow(Session &session, ReceiptPrinter &printer, QWidget *parent)
    : QDialog(parent)
    , m_lines(session)
    , m_printer(printer)
{
    Controls::FixedWindow(this, "XsmxForm", QStringLiteral("销售明细"), 784, 462, 14);

    auto *lineGrid = new DataGrid(this);
    lineGrid->setObjectName(QStringLiteral("DBGridEh1"));
    lineGrid->setGeometry(0, 0, 784, 408);
    lineGrid->setColumns(RecordColumns::SoldLines());
    lineGrid->setFooterVisible(true);
    lineGrid->setRowSet(&m_lines);

    auto *reprintButton = Controls::SpeedButton(this, "ReprintButton", QStringLiteral("重打"), 8, 411, 73, 26);
    ConnectHandler(reprintButton, &QToolButton::clicked, this, &SaleDetailWindow::reprintTicket);
    auto *returnButton = Controls::SpeedButton(this, "ReturnButton", QStringLiteral("退货"), 88, 411, 73, 26);
    returnButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    ConnectHandler(returnButton, &QToolButton::clicked, this, &SaleDetailWindow::returnTicket);
    m_returns = Controls::Label(this, "ReturnsLabel", QString(), 176, 416);

    Controls::BottomStatusBar(this);
}

SaleDetailWindow::~SaleDetailWindow() = default;

void SaleDetailWindow::showTicket(const QString &number)
{
    m_number = number;
    SalesLedger::OpenSoldLines(m_lines, number);
    QStringList returns;
    if (!number.isEmpty())
        for (const SaleReturns::Recorded &made : SaleReturns::MadeAgainst(m_lines.connection(), number))
            returns << QStringLiteral("退货：%1 %2 %3").arg(made.number, made.time, made.discounted.displayText());
    m_returns->setText(returns.join(QStringLiteral("；")));
    m_returns->adjustSize();
}

void SaleDetailWindow::reprintTicket()
{
    ReprintTicket(this, m_lines.connection(), m_printer, m_number);
}

void SaleDetailWindow::returnTicket()
{
    if (ReturnTicket(this, m_lines.connection(), m_printer, m_number))
        showTicket(m_number);
}
