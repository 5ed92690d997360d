#include "records/SpxxUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "app/Windows.h"
#include "counter/MainUnit.h"
#include "data/Statements.h"
#include "grid/DataGrid.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"
#include "records/WindowList.h"
#include "records/PriceKey.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

TSpxxForm::TSpxxForm(QWidget *parent)
    : QDialog(parent)
{
    BuildLayout();
    ConnectHandlers();
}

TSpxxForm::~TSpxxForm() = default;

void TSpxxForm::BuildLayout()
{
    Controls::FixedWindow(this, "SpxxForm", QStringLiteral("商品信息"), 530, 424, 15);

    Label1 = Controls::Label(this, "Label1", QStringLiteral("品名："), 32, 32);
    Edit1 = Controls::Edit(this, "Edit1", 80, 32, 217, 21);
    Label2 = Controls::Label(this, "Label2", QStringLiteral("单价："), 320, 32);
    Edit2 = Controls::Edit(this, "Edit2", 368, 32, 121, 21);
    Label3 = Controls::Label(this, "Label3", QStringLiteral("备注："), 32, 64);
    Edit3 = Controls::Edit(this, "Edit3", 80, 64, 409, 21);

    SpeedButton1 = Controls::SpeedButton(this, "SpeedButton1", QStringLiteral("添加"), 56, 104, 97, 25);
    SpeedButton2 = Controls::SpeedButton(this, "SpeedButton2", QStringLiteral("修改"), 208, 104, 97, 25);
    SpeedButton3 = Controls::SpeedButton(this, "SpeedButton3", QStringLiteral("删除"), 360, 104, 97, 25);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    for (QToolButton *button : {SpeedButton1, SpeedButton2, SpeedButton3})
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(16, 152, 497, 257);
    DBGridEh1->setColumns(RecordColumns::Products());
    DBGridEh1->setRowSet(&ADOQuery1);

    StatusBar1 = Controls::BottomStatusBar(this);

    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, Edit3);
    setTabOrder(Edit3, DBGridEh1);
    Edit2->installEventFilter(this);
    SetRowChosen(false);
}

void TSpxxForm::ConnectHandlers()
{
    ConnectHandler(DBGridEh1, &DataGrid::cellClicked, this, &TSpxxForm::DBGridEh1CellClick);
    ConnectHandler(SpeedButton1, &QToolButton::clicked, this, &TSpxxForm::SpeedButton1Click);
    ConnectHandler(SpeedButton2, &QToolButton::clicked, this, &TSpxxForm::SpeedButton2Click);
    ConnectHandler(SpeedButton3, &QToolButton::clicked, this, &TSpxxForm::SpeedButton3Click);
    ConnectHandler(this, &QDialog::finished, this, &TSpxxForm::FormClose);
}

void TSpxxForm::Reload()
{
    ReopenWindowList(ADOConnection1, ADOQuery1, {Sql::SelectProducts, {}});
    EmptyBoxes();
    SetRowChosen(false);
}

void TSpxxForm::SetRowChosen(bool chosen)
{
    SpeedButton1->setEnabled(!chosen);
    SpeedButton2->setEnabled(chosen);
    SpeedButton3->setEnabled(chosen);
}

void TSpxxForm::EmptyBoxes()
{
    Edit1->clear();
    Edit2->clear();
    Edit3->clear();
}

void TSpxxForm::DBGridEh1CellClick()
{
    if (ADOQuery1.recordCount() == 0) {
        SetRowChosen(false);
        return;
    }
    SetRowChosen(true);
    Edit1->setText(ADOQuery1.text(QStringLiteral("品名")));
    Edit2->setText(ADOQuery1.text(QStringLiteral("单价")));
    Edit3->setText(ADOQuery1.text(QStringLiteral("备注")));
}

void TSpxxForm::SpeedButton1Click()
{
    if (Edit1->text().isEmpty() && Edit2->text().isEmpty()) {
        Dialogs::Message(this, QStringLiteral("添加商品不能为空！"), Dialogs::Icon::None);
        return;
    }
    ADOQuery1.last();
    ADOQuery1.append();
    ADOQuery1.setText(QStringLiteral("品名"), Edit1->text());
    ADOQuery1.setText(QStringLiteral("单价"), Edit2->text());
    ADOQuery1.setText(QStringLiteral("备注"), Edit3->text());
    ADOQuery1.post();
    EmptyBoxes();
}

void TSpxxForm::SpeedButton2Click()
{
    // An empty list has no row to overwrite (the grid's own deletion may have
    // emptied it since the row was chosen); editing would begin a new row.
    if (Edit1->text().isEmpty() || Edit2->text().isEmpty() || ADOQuery1.recordCount() == 0)
        return;
    ADOQuery1.edit();
    ADOQuery1.setText(QStringLiteral("品名"), Edit1->text());
    ADOQuery1.setText(QStringLiteral("单价"), Edit2->text());
    ADOQuery1.setText(QStringLiteral("备注"), Edit3->text());
    ADOQuery1.post();
    EmptyBoxes();
    SetRowChosen(false);
}

void TSpxxForm::SpeedButton3Click()
{
    if (ADOQuery1.recordCount() == 0)
        return;
    ADOQuery1.deleteCurrent();
    EmptyBoxes();
    SetRowChosen(false);
}

bool TSpxxForm::Edit2KeyPress(QChar typed) const
{
    return PriceKeyAccepted(Edit2->text(), typed);
}

bool TSpxxForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != Edit2 || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    // Only typed characters are filtered; keys that move the caret or the
    // focus, or close the window, are not characters of the box.
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString typed = key->text();
    if (typed.isEmpty())
        return false;
    for (QChar character : typed) {
        if (!Edit2KeyPress(character))
            return true;
    }
    return false;
}

void TSpxxForm::FormClose()
{
    MainForm->ReloadProductList();
}
