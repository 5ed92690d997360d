#include "counter/MainUnit.h"

#include "grid/Handlers.h"
#include "counter/CounterNumbers.h"
#include "counter/KeyReleaseHook.h"
#include "counter/LinePricing.h"
#include "counter/NumericKeyFilter.h"
#include "counter/PrefixCompletion.h"
#include "counter/PriceLookup.h"
#include "data/NumberText.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The line's amount and amount after discount from price, quantity and discount.
void ComputeAmounts(TMainForm &form)
{
    const long double amount = LineAmount(form.Edit7->text(), form.Edit8->text());
    form.Edit9->setText(NumberToText(amount));
    form.Edit10->setText(NumberToText(DiscountedAmount(form.ComboBox2->currentText(), amount)));
}

} // namespace

// Line entry and pricing: the product pick, the line's amounts, the numeric key filter.
void TMainForm::ConnectLineEntry()
{
    ComboBox2->addItems(DiscountSteps());
    ComboBox2->setEditText(QStringLiteral("10"));
    // A discount typed in full must reach the computation as typed: no completion.
    ComboBox2->setCompleter(nullptr);

    auto *numbers = new NumericKeyFilter(this);
    auto *released = new KeyReleaseHook(this);
    for (QObject *field : {static_cast<QObject *>(Edit7), static_cast<QObject *>(Edit8),
                           static_cast<QObject *>(ComboBox2)}) {
        numbers->watch(field);
        released->watch(field);
    }
    ConnectHandler(released, &KeyReleaseHook::released, this, &TMainForm::RecomputeLine);
    ConnectHandler(ComboBox2, &QComboBox::activated, this, &TMainForm::RecomputeLine);

    // In the product box a completed name counts as a pick, like one from the list.
    auto *completion = new PrefixCompletion(ComboBox1);
    ConnectHandler(completion, &PrefixCompletion::completed, this, &TMainForm::ComboBox1Click);
    ConnectHandler(ComboBox1, &QComboBox::activated, this, &TMainForm::ComboBox1Click);
}

// A product was picked: its price from the catalogue, then the amounts.
void TMainForm::ComboBox1Click()
{
    // The product query holds the name list or the last look-up; after a
    // look-up that found nothing, picks wait for the next reload of the list.
    if (!ADOQuery1.isOpen() || ADOQuery1.recordCount() == 0 || ComboBox1->currentText().isEmpty())
        return;
    Edit7->setText(LookUpPrice(ADOQuery1, ComboBox1->currentText()));
    Edit7->setText(RoundToCents(Edit7->text()));
    ComputeAmounts(*this);
}

void TMainForm::RecomputeLine()
{
    if (Edit7->text().isEmpty() || Edit8->text().isEmpty() || ComboBox2->currentText().isEmpty())
        return;
    ComputeAmounts(*this);
}
