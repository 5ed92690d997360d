#include "records/StatisticsWindow.h"

#include "data/shop/DayEnd.h"
#include "data/shop/PrintSettings.h"
#include "data/shop/SalesLedger.h"
#include "grid/DataGrid.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "records/Controls.h"
#include "records/DayEndReport.h"
#include "records/DayEndWindow.h"
#include "records/RecordColumns.h"
#include "records/ReprintAction.h"
#include "records/ReturnAction.h"
#include "records/SaleDetailWindow.h"
#include "records/SalesChartWindow.h"
#include "records/TicketExport.h"
#include "records/XlsFileName.h"
#include "report/Report.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDateTime>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

StatisticsWindow::StatisticsWindow(Session &session, SaleDetailWindow &detailWindow, ReceiptPrinter &printer,
                                   QWidget *parent)
    : QDialog(parent)
    , m_tickets(session)
    , m_detailWindow(detailWindow)
    , m_printer(printer)
{
    buildLayout();
    connectHandlers();
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::buildLayout()
{
    Controls::FixedWindow(this, "XstjForm", QStringLiteral("销售统计"), 784, 562, 14);

    m_exportButton = Controls::SpeedButton(this, "SpeedButton1", QStringLiteral("数据导出"), 8, 16, 73, 73);
    m_deleteButton = Controls::SpeedButton(this, "SpeedButton2", QStringLiteral("删除信息"), 80, 16, 73, 73);
    m_closeButton = Controls::SpeedButton(this, "SpeedButton3", QStringLiteral("关闭窗口"), 152, 16, 73, 73);
    m_exportButton->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_deleteButton->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    m_closeButton->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    for (QToolButton *button : {m_exportButton, m_deleteButton, m_closeButton}) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
    }

    auto *searchBox = new QGroupBox(QStringLiteral("查询信息"), this);
    searchBox->setObjectName(QStringLiteral("GroupBox1"));
    searchBox->setGeometry(272, 8, 497, 97);
    Controls::Label(searchBox, "Label1", QStringLiteral("单号："), 24, 26);
    m_numberEdit = Controls::Edit(searchBox, "Edit1", 64, 24, 121, 20);
    Controls::Label(searchBox, "Label2", QStringLiteral("收银员："), 192, 26);
    m_cashierEdit = Controls::Edit(searchBox, "Edit2", 248, 24, 121, 20);
    m_searchButton = Controls::SpeedButton(searchBox, "SpeedButton4", QStringLiteral("查询"), 392, 24, 73, 22);
    m_byDatesBox = new QCheckBox(QStringLiteral("时间："), searchBox);
    m_byDatesBox->setObjectName(QStringLiteral("CheckBox1"));
    m_byDatesBox->setGeometry(7, 58, 57, 17);
    m_fromDate = new QDateEdit(searchBox);
    m_fromDate->setObjectName(QStringLiteral("DateTimePicker1"));
    m_fromDate->setGeometry(64, 56, 121, 22);
    Controls::Label(searchBox, "Label3", QStringLiteral("至"), 208, 58);
    m_toDate = new QDateEdit(searchBox);
    m_toDate->setObjectName(QStringLiteral("DateTimePicker2"));
    m_toDate->setGeometry(248, 56, 121, 22);
    for (QDateEdit *picker : {m_fromDate, m_toDate}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd")); // the program's date, whatever the locale
        picker->setDate(QDate::currentDate());
        picker->setEnabled(false);
    }
    m_refreshButton = Controls::SpeedButton(searchBox, "SpeedButton5", QStringLiteral("刷新"), 392, 56, 73, 22);

    m_ticketGrid = new DataGrid(this);
    m_ticketGrid->setObjectName(QStringLiteral("DBGridEh1"));
    m_reprintButton = Controls::SpeedButton(this, "ReprintButton", QStringLiteral("重打小票"), 8, 110, 81, 26);
    m_dayEndButton = Controls::SpeedButton(this, "DayEndButton", QStringLiteral("日结"), 96, 110, 73, 26);
    m_chartButton = Controls::SpeedButton(this, "ChartButton", QStringLiteral("图表"), 176, 110, 73, 26);
    m_returnButton = Controls::SpeedButton(this, "ReturnButton", QStringLiteral("退货"), 256, 110, 73, 26);
    m_returnButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));

    m_ticketGrid->setGeometry(0, 140, 784, 400);
    m_ticketGrid->setColumns(RecordColumns::Tickets());
    m_ticketGrid->setFooterVisible(true);
    m_ticketGrid->setRowSet(&m_tickets);

    Controls::BottomStatusBar(this);

    m_detailNumberEdit = new QLineEdit(this);
    m_detailNumberEdit->setObjectName(QStringLiteral("Edit3"));
    m_detailNumberEdit->hide();

    setTabOrder(m_numberEdit, m_byDatesBox);
    setTabOrder(m_byDatesBox, m_cashierEdit);
    setTabOrder(m_cashierEdit, m_fromDate);
    setTabOrder(m_fromDate, m_toDate);
}

void StatisticsWindow::connectHandlers()
{
    ConnectHandler(m_ticketGrid, &DataGrid::dblClicked, this, &StatisticsWindow::showCurrentTicketDetail);
    ConnectHandler(m_exportButton, &QToolButton::clicked, this, &StatisticsWindow::exportTickets);
    ConnectHandler(m_byDatesBox, &QCheckBox::clicked, this, &StatisticsWindow::switchDateSearch);
    ConnectHandler(m_deleteButton, &QToolButton::clicked, this, &StatisticsWindow::deleteCurrentTicket);
    connect(m_closeButton, &QToolButton::clicked, this, &QDialog::close);
    ConnectHandler(m_searchButton, &QToolButton::clicked, this, &StatisticsWindow::searchTickets);
    ConnectHandler(m_refreshButton, &QToolButton::clicked, this, &StatisticsWindow::listAllTickets);
    ConnectHandler(m_reprintButton, &QToolButton::clicked, this, &StatisticsWindow::reprintCurrentTicket);
    ConnectHandler(m_dayEndButton, &QToolButton::clicked, this, &StatisticsWindow::showDayEnd);
    ConnectHandler(m_chartButton, &QToolButton::clicked, this, &StatisticsWindow::showChart);
    ConnectHandler(m_returnButton, &QToolButton::clicked, this, &StatisticsWindow::returnCurrentTicket);
}

void StatisticsWindow::reload()
{
    m_filter = TicketFilter::All();
    SalesLedger::OpenTicketsByNumber(m_tickets);
}

void StatisticsWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    resetSearch();
}

// The date switch keeps its state from one opening to the next; the texts and dates do not.
void StatisticsWindow::resetSearch()
{
    m_fromDate->setDate(QDate::currentDate());
    m_toDate->setDate(QDate::currentDate());
    m_numberEdit->clear();
    m_cashierEdit->clear();
}

void StatisticsWindow::switchDateSearch()
{
    const bool byDates = m_byDatesBox->isChecked();
    m_fromDate->setEnabled(byDates);
    m_toDate->setEnabled(byDates);
}

void StatisticsWindow::exportTickets()
{
    const QString chosen = Dialogs::SaveFileName(this, QStringLiteral("*.xls"));
    if (chosen.isEmpty())
        return;
    {
        // Shows itself only when the export takes long enough to notice; a
        // cancelled export leaves no file.
        QProgressDialog progress(QStringLiteral("正在导出数据……"), QStringLiteral("取消"), 0, 1, this);
        progress.setWindowTitle(windowTitle());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        const bool written = ExportRowSetToXls(m_tickets, XlsFileName(chosen), [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setLabelText(QStringLiteral("正在导出数据…… %1 / %2").arg(done).arg(total));
            progress.setValue(done);
            return !progress.wasCanceled();
        });
        if (!written)
            return;
    }
    // The list's selection ends where a row-by-row export leaves it.
    m_tickets.last();
    Dialogs::Message(this, QStringLiteral("成功导出全部数据!"), Dialogs::Icon::None);
}

// A recorded sale goes only after the user has said yes to its number.
void StatisticsWindow::deleteCurrentTicket()
{
    if (m_tickets.recordCount() == 0)
        return;
    const QString question
        = QStringLiteral("确定删除单号为 %1 的销售记录吗？").arg(m_tickets.text(QStringLiteral("单号")));
    if (!Dialogs::AskBeforeHarm(this, question))
        return;
    m_tickets.deleteCurrent();
}

void StatisticsWindow::searchTickets()
{
    listTickets(m_byDatesBox->isChecked() ? TicketFilter::Between(m_fromDate->date(), m_toDate->date())
                                          : TicketFilter::Matching(m_numberEdit->text(), m_cashierEdit->text()));
}

void StatisticsWindow::listAllTickets()
{
    listTickets(TicketFilter::All());
}

void StatisticsWindow::listTickets(const TicketFilter &filter)
{
    SalesLedger::OpenTickets(m_tickets, filter);
    m_filter = filter;
}

void StatisticsWindow::showCurrentTicketDetail()
{
    m_detailNumberEdit->setText(m_tickets.recordCount() > 0 ? m_tickets.text(QStringLiteral("单号")) : QString());
    m_detailWindow.showTicket(m_detailNumberEdit->text());
    // Keep the detail window above this one.
    m_detailWindow.winId();
    m_detailWindow.windowHandle()->setTransientParent(window()->windowHandle());
    m_detailWindow.exec();
}

void StatisticsWindow::reprintCurrentTicket()
{
    ReprintTicket(this, m_tickets.connection(), m_printer, currentNumber());
}

// The return is listed at once, under the search that lists the tickets now.
void StatisticsWindow::returnCurrentTicket()
{
    if (ReturnTicket(this, m_tickets.connection(), m_printer, currentNumber()))
        listTickets(m_filter);
}

QString StatisticsWindow::currentNumber() const
{
    return m_tickets.isOpen() && m_tickets.recordCount() > 0 ? m_tickets.text(QStringLiteral("单号")) : QString();
}

// Over the listed span of days, else today, on the receipt paper of the current settings.
void StatisticsWindow::showDayEnd()
{
    Session &session = m_tickets.connection();
    const QDateTime now = QDateTime::currentDateTime();
    const TicketFilter span = DayEndSpan(m_filter, now.date());
    DayEndWindow preview(BuildDayEndReport(DayEnd::Sum(session, span), span, now, LoadPrintSettings(session).pos),
                         m_printer, this);
    preview.exec();
}

void StatisticsWindow::showChart()
{
    SalesChartWindow chart(DayEnd::SalesPerDay(m_tickets.connection(), m_filter), this);
    chart.exec();
}
