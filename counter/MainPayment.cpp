#include "counter/MainUnit.h"

#include "grid/Handlers.h"
#include "counter/KeyReleaseHook.h"
#include "counter/LinePricing.h"
#include "counter/NumericKeyFilter.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

// Payment: the change for the amount paid, and dropping a line's fraction.
void TMainForm::ConnectPayment()
{
    // An amount typed in full must reach the change as typed: no completion.
    ComboBox3->setCompleter(nullptr);
    auto *numbers = new NumericKeyFilter(this);
    numbers->watch(ComboBox3);
    auto *released = new KeyReleaseHook(this);
    released->watch(ComboBox3);
    ConnectHandler(ComboBox3, &QComboBox::editTextChanged, this, &TMainForm::ComputeChange);
    ConnectHandler(released, &KeyReleaseHook::released, this, &TMainForm::ComputeChange);
    ConnectHandler(SpeedButton2, &QToolButton::clicked, this, &TMainForm::SpeedButton2Click);
}

void TMainForm::ComputeChange()
{
    Edit13->setText(ChangeText(ComboBox3->currentText(), Edit12->text()));
}

// "抹零": the line's amount after discount loses its fraction.
void TMainForm::SpeedButton2Click()
{
    if (Edit10->text().isEmpty())
        return;
    Edit10->setText(DropFraction(Edit10->text()));
}
