#include "counter/MainUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "app/Windows.h"
#include "checkout/CheckoutPlan.h"
#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"
#include "checkout/RemarkLines.h"
#include "counter/TicketHeader.h"
#include "data/PrintSettings.h"
#include "data/SaleRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

namespace {

TReceiptForm &TemplateWindow(ReceiptTemplate which)
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return *Dy58Form;
    case ReceiptTemplate::TwoPart58:
        return *Edy58Form;
    case ReceiptTemplate::OnePart76:
        return *Dy76Form;
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return *Edy76Form;
}

Report &ReportOf(TReceiptForm &window, ReceiptReport report)
{
    return *(report == ReceiptReport::Plain ? window.QuickRep1 : window.QuickRep2);
}

// Fills the chosen template from the counter and prints it as often as the
// copies box says.
void PrintReceipt(TMainForm &form, const ReceiptChoice &choice)
{
    const int remarkLines = ShownLineCount(*form.Memo1);
    const int ticketLines = form.ADOQuery2.recordCount();

    TReceiptForm &window = TemplateWindow(choice.window);
    window.FormCreate(); // reads the lines and the settings just saved

    const int length = PaperLengthUnits(remarkLines, ticketLines, choice.baseLengthUnits);
    window.QRRichText1->setHeightUnits(RemarkBoxHeightUnits(remarkLines));
    window.QuickRep1->setHeightUnits(length);
    window.QRRichText2->setHeightUnits(RemarkBoxHeightUnits(remarkLines));
    window.QuickRep2->setHeightUnits(length);

    ReceiptTexts texts;
    texts.shopName = form.Edit1->text();
    texts.cashier = form.Edit11->text();
    texts.number = form.Edit2->text();
    texts.time = form.Edit3->text();
    texts.customer = form.Edit4->text();
    texts.phone = form.Edit5->text();
    texts.address = form.Edit6->text();
    texts.totalQuantity = form.Label18->text();
    texts.totalDiscounted = form.Label20->text();
    texts.paid = form.ComboBox3->currentText();
    texts.change = form.Edit13->text();
    for (const Caption &caption : ReceiptCaptions(texts, choice.twoPart))
        ReportOf(window, caption.report).label(caption.label)->setCaption(caption.text);

    const PrintRun run = ChoosePrintRun(form.CheckBox2->isChecked(), form.ComboBox6->currentText());
    for (int copy = 0; copy < run.copies; ++copy)
        window.print(&ReportOf(window, run.report));
}

} // namespace

void TMainForm::ConnectCheckout()
{
    ConnectHandler(SpeedButton8, &QToolButton::clicked, this, &TMainForm::SpeedButton8Click);
}

// Print: saves the settings, prints the receipt, records the sale and starts
// the next ticket.
void TMainForm::SpeedButton8Click()
{
    SavePrintSettings(ADOConnection1, {Edit1->text(), Memo1->toPlainText(), Edit11->text(), ComboBox4->currentText(),
                                  ComboBox5->currentText(), ComboBox6->currentText()});
    if (ADOQuery2.recordCount() == 0) {
        Dialogs::Message(this, QStringLiteral("打印信息为空！"), Dialogs::Icon::Warning);
        return;
    }

    SaleTicket sale;
    sale.number = Edit2->text();
    sale.time = Edit3->text();
    sale.quantity = Label18->text();
    sale.amount = Label19->text();
    sale.discounted = Label20->text();
    sale.cashier = Edit11->text();
    sale.customer = Edit4->text();
    sale.phone = Edit5->text();
    sale.address = Edit6->text();
    // A sale that could not be stored gets no receipt.
    CheckSale(sale);

    // The receipt prints before the sale is stored, so that a printing error
    // leaves the ticket as it is. Settings that match no template print nothing.
    if (const auto choice = ChooseReceipt(ComboBox4->currentText(), ComboBox5->currentText()))
        PrintReceipt(*this, *choice);

    // The sale, its lines and the emptying of the ticket are stored as one.
    RecordSale(ADOConnection1, sale);
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
