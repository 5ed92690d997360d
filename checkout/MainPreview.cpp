#include "counter/MainUnit.h"

#include "grid/Handlers.h"
#include "app/Windows.h"
#include "checkout/ReceiptPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

// Preview of the receipt template the settings choose.
void TMainForm::ConnectPreview()
{
    ConnectHandler(SpeedButton7, &QToolButton::clicked, this, &TMainForm::SpeedButton7Click);
}

// Preview: shows the chosen template as it stands; fills, prints and stores nothing.
void TMainForm::SpeedButton7Click()
{
    PreviewReceipt({*Dy58Form, *Dy76Form, *Edy76Form, *Edy58Form}, ComboBox4->currentText(),
                   ComboBox5->currentText(), CheckBox2->isChecked());
}
