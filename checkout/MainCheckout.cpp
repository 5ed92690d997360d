#include "counter/MainUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "app/Windows.h"
#include "checkout/Checkout.h"
#include "checkout/ReceiptPreview.h"
#include "checkout/ReceiptWindow.h"
#include "checkout/RemarkLines.h"
#include "counter/TicketHeader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

void TMainForm::ConnectCheckout()
{
    ConnectHandler(SpeedButton8, &QToolButton::clicked, this, &TMainForm::SpeedButton8Click);
}

// Print: saves the settings, prints the receipt, records the sale and starts
// the next ticket.
void TMainForm::SpeedButton8Click()
{
    ReceiptOrder order;
    order.settings = {Edit1->text(),           Memo1->toPlainText(),      Edit11->text(),
                      ComboBox4->currentText(), ComboBox5->currentText(), ComboBox6->currentText()};
    order.remarkLines = ShownLineCount(*Memo1);
    order.withCustomer = CheckBox2->isChecked();
    Ticket &ticket = order.ticket;
    ticket.number = Edit2->text();
    ticket.time = Edit3->text();
    ticket.cashier = Edit11->text();
    ticket.customer = Edit4->text();
    ticket.phone = Edit5->text();
    ticket.address = Edit6->text();
    ticket.totalQuantity = Label18->text();
    ticket.totalAmount = Label19->text();
    ticket.totalDiscounted = Label20->text();
    ticket.paid = ComboBox3->currentText();
    ticket.change = Edit13->text();

    Checkout checkout(ADOConnection1, *ReceiptOutput);
    const ReceiptWindows windows{*Dy58Form, *Dy76Form, *Edy76Form, *Edy58Form};
    checkout.setReceiptFilled(
        [&windows](ReceiptTemplate which, const ReceiptOrder &filled) { windows.of(which).showReceipt(filled); });
    if (checkout.run(order) == Checkout::Outcome::EmptyTicket) {
        Dialogs::Message(this, QStringLiteral("打印信息为空！"), Dialogs::Icon::Warning);
        return;
    }

    ADOQuery2.close();
    ADOQuery2.open();
    Edit4->clear();
    Edit5->clear();
    Edit6->clear();
    for (QLabel *total : {Label18, Label19, Label20})
        total->setText(QStringLiteral("0"));
    ComboBox3->setEditText(QString());
    Edit12->clear();
    Edit13->clear();
    Edit2->setText(TicketNumber());
}
