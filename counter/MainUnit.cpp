#include "counter/MainUnit.h"

#include "app/DesktopEntry.h"
#include "grid/Handlers.h"
#include "counter/TicketHeader.h"
#include "data/DataFile.h"
#include "data/PrintSettings.h"
#include "data/Statements.h"
#include "data/mylib.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

TMainForm::TMainForm(QWidget *parent)
    : QWidget(parent)
    , ADOQuery1(ADOConnection1)
    , ADOQuery2(ADOConnection1)
    , ADOQuery3(ADOConnection1)
{
    BuildLayout();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    ConnectHeader();
    ConnectLineEntry();
    ConnectTicketLines();
    ConnectPayment();
    ConnectCheckout();
    ConnectPreview();
    ConnectRecords();

    // The connection and the row sets open as the window is created; each
    // failure is reported on its own and creation goes on.
    Dialogs::Guarded(this, [this] {
        ADOConnection1.setConnectionString(DataFile::Path());
        ADOConnection1.open();
    });
    // After the first opening: a restore's reopening refreshes the lists.
    ConnectMaintenance();
    for (auto [rowSet, statement] : {std::pair{&ADOQuery2, Sql::SelectTicketLines}, {&ADOQuery3, Sql::SelectSettings}})
        Dialogs::Guarded(this, [rowSet, statement] { ReopenQuery(*rowSet, statement); });
    Dialogs::Guarded(this, [this] { FormCreate(); });
    Timer1->start();
}

TMainForm::~TMainForm() = default;

void TMainForm::ConnectHeader()
{
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    ConnectHandler(CheckBox1, &QCheckBox::clicked, this, &TMainForm::CheckBox1Click);
    ConnectHandler(CheckBox2, &QCheckBox::clicked, this, &TMainForm::CheckBox2Click);
    ConnectHandler(SpeedButton1, &QToolButton::clicked, this, &TMainForm::SpeedButton1Click);
    for (QLabel *chrome : {Image1, Image2, Image3})
        chrome->installEventFilter(this);
}

void TMainForm::FormCreate()
{
    WriteDesktopEntry();
    Edit2->setText(TicketNumber());
    const PrintSettings settings = LoadPrintSettings(ADOConnection1);
    Edit1->setText(settings.shopName);
    Memo1->setPlainText(settings.remark);
    Edit11->setText(settings.cashier);
    ComboBox4->setEditText(settings.pos);
    ComboBox5->setEditText(settings.modle);
    ComboBox6->setEditText(settings.print);
    ReloadProductList();
    // Lines left over from an earlier run are not part of this ticket.
    ADOConnection1.exec(Sql::DeleteTicketLines);
    ADOQuery2.open();
}

void TMainForm::ReloadProductList()
{
    ComboBox1->clear();
    ComboBox1->clearEditText();
    ReopenQuery(ADOQuery1, Sql::SelectProductNames);
    QStringList names;
    names.reserve(ADOQuery1.recordCount());
    for (int row = 0; row < ADOQuery1.recordCount(); ++row)
        names << ADOQuery1.textAt(row, 0);
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1);
    ComboBox1->clearEditText();
}

void TMainForm::Timer1Timer()
{
    Edit3->setText(TicketTime());
}

// Manual ticket time: the clock stops and the time can be typed.
void TMainForm::CheckBox1Click()
{
    if (CheckBox1->isChecked())
        Timer1->stop();
    else
        Timer1->start();
    Edit3->setEnabled(CheckBox1->isChecked());
}

void TMainForm::CheckBox2Click()
{
    const bool withCustomer = CheckBox2->isChecked();
    for (QLineEdit *edit : {Edit4, Edit5, Edit6}) {
        if (!withCustomer)
            edit->clear();
        edit->setEnabled(withCustomer);
    }
}

void TMainForm::Image2Click()
{
    showMinimized();
}

void TMainForm::Image3Click()
{
    close();
}

void TMainForm::SpeedButton1Click()
{
    PopupMenu1->popup(QPoint(x() + SpeedButton1->x(), y() + 120));
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonPress && watched == Image1 && mouse->button() == Qt::LeftButton) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        if (watched == Image2) {
            Image2Click();
            return true;
        }
        if (watched == Image3) {
            Image3Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
