#include "counter/MainUnit.h"

#include "grid/Handlers.h"
#include "app/Windows.h"
#include "checkout/CheckoutPlan.h"
#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

namespace {

// The page of a template window that shows the report with or without the customer block.
void ShowReportPage(TReceiptForm &window, bool withCustomer)
{
    window.showPage(withCustomer ? window.TabSheet2 : window.TabSheet1);
}

TReceiptForm &PreviewWindow(ReceiptTemplate which)
{
    switch (which) {
    case ReceiptTemplate::OnePart58:
        return *Dy58Form;
    case ReceiptTemplate::OnePart76:
        return *Dy76Form;
    case ReceiptTemplate::TwoPart58:
        return *Edy58Form;
    case ReceiptTemplate::TwoPart76:
        break;
    }
    return *Edy76Form;
}

} // namespace

// Preview of the receipt template the settings choose.
void TMainForm::ConnectPreview()
{
    ConnectHandler(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);
}

// Preview: shows the chosen template as it stands; fills, prints and stores nothing.
void TMainForm::SpeedButton7Click()
{
    // Both widths of the chosen part count turn to the page the customer flag selects.
    const bool withCustomer = CheckBox2->isChecked();
    const QString parts = ComboBox5->currentText();
    if (parts == QStringLiteral("一联")) {
        ShowReportPage(*Dy58Form, withCustomer);
        ShowReportPage(*Dy76Form, withCustomer);
    } else if (parts == QStringLiteral("两联")) {
        ShowReportPage(*Edy58Form, withCustomer);
        ShowReportPage(*Edy76Form, withCustomer);
    }

    if (const auto choice = ChooseReceipt(ComboBox4->currentText(), ComboBox5->currentText()))
        PreviewWindow(choice->window).ShowModal();
}
