#include "records/XstjUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "app/Windows.h"
#include "data/Statements.h"
#include "data/mylib.h"
#include "grid/DataGrid.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"
#include "records/RecordQueries.h"
#include "records/TicketExport.h"
#include "records/WindowList.h"
#include "records/XlsFileName.h"
#include "records/XsmxUnit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

TXstjForm::TXstjForm(QWidget *parent)
    : QDialog(parent)
{
    BuildLayout();
    ConnectHandlers();
}

TXstjForm::~TXstjForm() = default;

void TXstjForm::BuildLayout()
{
    Controls::FixedWindow(this, "XstjForm", QStringLiteral("销售统计"), 784, 562, 14);

    SpeedButton1 = Controls::SpeedButton(this, "SpeedButton1", QStringLiteral("数据导出"), 8, 16, 73, 73);
    SpeedButton2 = Controls::SpeedButton(this, "SpeedButton2", QStringLiteral("删除信息"), 80, 16, 73, 73);
    SpeedButton3 = Controls::SpeedButton(this, "SpeedButton3", QStringLiteral("关闭窗口"), 152, 16, 73, 73);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    for (QToolButton *button : {SpeedButton1, SpeedButton2, SpeedButton3}) {
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(32, 32));
    }

    GroupBox1 = new QGroupBox(QStringLiteral("查询信息"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(272, 8, 497, 97);
    Label1 = Controls::Label(GroupBox1, "Label1", QStringLiteral("单号："), 24, 26);
    Edit1 = Controls::Edit(GroupBox1, "Edit1", 64, 24, 121, 20);
    Label2 = Controls::Label(GroupBox1, "Label2", QStringLiteral("收银员："), 192, 26);
    Edit2 = Controls::Edit(GroupBox1, "Edit2", 248, 24, 121, 20);
    SpeedButton4 = Controls::SpeedButton(GroupBox1, "SpeedButton4", QStringLiteral("查询"), 392, 24, 73, 22);
    CheckBox1 = new QCheckBox(QStringLiteral("时间："), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(7, 58, 57, 17);
    DateTimePicker1 = new QDateEdit(GroupBox1);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker1->setGeometry(64, 56, 121, 22);
    Label3 = Controls::Label(GroupBox1, "Label3", QStringLiteral("至"), 208, 58);
    DateTimePicker2 = new QDateEdit(GroupBox1);
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    DateTimePicker2->setGeometry(248, 56, 121, 22);
    for (QDateEdit *picker : {DateTimePicker1, DateTimePicker2}) {
        picker->setCalendarPopup(true);
        picker->setDate(QDate::currentDate());
        picker->setEnabled(false);
    }
    SpeedButton5 = Controls::SpeedButton(GroupBox1, "SpeedButton5", QStringLiteral("刷新"), 392, 56, 73, 22);

    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(0, 112, 784, 428);
    DBGridEh1->setColumns(RecordColumns::Tickets());
    DBGridEh1->setFooterVisible(true);
    DBGridEh1->setRowSet(&ADOQuery1);

    StatusBar1 = Controls::BottomStatusBar(this);

    Edit3 = new QLineEdit(this);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    Edit3->hide();

    setTabOrder(Edit1, CheckBox1);
    setTabOrder(CheckBox1, Edit2);
    setTabOrder(Edit2, DateTimePicker1);
    setTabOrder(DateTimePicker1, DateTimePicker2);
}

void TXstjForm::ConnectHandlers()
{
    ConnectHandler(DBGridEh1, &DataGrid::dblClicked, this, &TXstjForm::DBGridEh1DblClick);
    ConnectHandler(SpeedButton1, &QToolButton::clicked, this, &TXstjForm::SpeedButton1Click);
    ConnectHandler(CheckBox1, &QCheckBox::clicked, this, &TXstjForm::CheckBox1Click);
    ConnectHandler(SpeedButton2, &QToolButton::clicked, this, &TXstjForm::SpeedButton2Click);
    ConnectHandler(SpeedButton3, &QToolButton::clicked, this, &TXstjForm::SpeedButton3Click);
    ConnectHandler(SpeedButton4, &QToolButton::clicked, this, &TXstjForm::SpeedButton4Click);
    ConnectHandler(SpeedButton5, &QToolButton::clicked, this, &TXstjForm::SpeedButton5Click);
}

void TXstjForm::Reload()
{
    ReopenWindowList(ADOConnection1, ADOQuery1, {RecordQueries::AllTicketsByNumber, {}});
}

void TXstjForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TXstjForm::FormShow()
{
    DateTimePicker1->setDate(QDate::currentDate());
    DateTimePicker2->setDate(QDate::currentDate());
    Edit1->clear();
    Edit2->clear();
}

void TXstjForm::CheckBox1Click()
{
    const bool byDates = CheckBox1->isChecked();
    DateTimePicker1->setEnabled(byDates);
    DateTimePicker2->setEnabled(byDates);
}

void TXstjForm::SpeedButton1Click()
{
    const QString chosen = Dialogs::SaveFileName(this, QStringLiteral("*.xls"));
    if (chosen.isEmpty())
        return;
    {
        // Shows itself only when the export takes long enough to notice.
        QProgressDialog progress(QStringLiteral("正在导出数据……"), QString(), 0, 1, this);
        progress.setWindowTitle(windowTitle());
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        ExportRowSetToXls(ADOQuery1, XlsFileName(chosen), [&progress](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
        });
    }
    // The list's selection ends where a row-by-row export leaves it.
    ADOQuery1.last();
    Dialogs::Message(this, QStringLiteral("成功导出全部数据!"), Dialogs::Icon::None);
}

void TXstjForm::SpeedButton2Click()
{
    if (ADOQuery1.recordCount() == 0)
        return;
    ADOQuery1.deleteCurrent();
}

void TXstjForm::SpeedButton3Click()
{
    close();
}

void TXstjForm::SpeedButton4Click()
{
    const BoundQuery query = CheckBox1->isChecked()
        ? RecordQueries::TicketsBetween(DateTimePicker1->date(), DateTimePicker2->date())
        : RecordQueries::TicketsMatching(Edit1->text(), Edit2->text());
    ReopenQuery(ADOQuery1, query.statement, query.parameters);
}

void TXstjForm::SpeedButton5Click()
{
    ReopenQuery(ADOQuery1, Sql::SelectTickets);
}

void TXstjForm::DBGridEh1DblClick()
{
    Edit3->setText(ADOQuery1.recordCount() > 0 ? ADOQuery1.text(QStringLiteral("单号")) : QString());
    XsmxForm->ShowTicket(Edit3->text());
    // Keep the detail window above this one.
    XsmxForm->winId();
    XsmxForm->windowHandle()->setTransientParent(window()->windowHandle());
    XsmxForm->exec();
}
