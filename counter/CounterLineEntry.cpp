#include "counter/CounterWindow.h"

#include "counter/CounterNumbers.h"
#include "counter/LinePricing.h"
#include "counter/NumericKeyFilter.h"
#include "counter/PrefixCompletion.h"
#include "counter/SelectOnFocus.h"
#include "data/shop/Catalogue.h"
#include "grid/Handlers.h"

#include <QComboBox>
#include <QLineEdit>

// Line entry and pricing: the product pick, the line's amounts, the numeric key filter.
void CounterWindow::connectLineEntry()
{
    m_discountBox->addItems(DiscountSteps());
    m_discountBox->setEditText(QStringLiteral("10"));
    // A discount typed in full must reach the computation as typed: no completion.
    m_discountBox->setCompleter(nullptr);

    auto *numbers = new NumericKeyFilter(this);
    for (QObject *field : {static_cast<QObject *>(m_priceEdit), static_cast<QObject *>(m_quantityEdit),
                           static_cast<QObject *>(m_discountBox)})
        numbers->watch(field);
    // Every change of the text prices the line afresh, however it came: typed,
    // pasted, dropped or set.
    ConnectHandler(m_priceEdit, &QLineEdit::textChanged, this, &CounterWindow::recomputeLine);
    ConnectHandler(m_quantityEdit, &QLineEdit::textChanged, this, &CounterWindow::recomputeLine);
    ConnectHandler(m_discountBox, &QComboBox::editTextChanged, this, &CounterWindow::recomputeLine);
    auto *selecting = new SelectOnFocus(this);
    for (QWidget *field : {static_cast<QWidget *>(m_priceEdit), static_cast<QWidget *>(m_quantityEdit),
                           static_cast<QWidget *>(m_discountBox)})
        selecting->watch(field);
    // Enter in the quantity or the discount adds the line; watched after the
    // key filter, so it sees the key the filter would drop.
    m_quantityEdit->installEventFilter(this);
    m_discountBox->installEventFilter(this);
    ConnectHandler(m_discountBox, &QComboBox::activated, this, &CounterWindow::recomputeLine);

    // In the product box a completed name counts as a pick, like one from the list.
    auto *completion = new PrefixCompletion(m_productBox);
    ConnectHandler(completion, &PrefixCompletion::completed, this, &CounterWindow::pickProduct);
    ConnectHandler(m_productBox, &QComboBox::activated, this, &CounterWindow::pickProduct);
}

// A product was picked: its price from the catalogue, then the amounts.
void CounterWindow::pickProduct()
{
    if (!m_productRowsFound || m_productBox->currentText().isEmpty())
        return;
    // A look-up that fails (a shop's server away) leaves the price to be typed.
    const std::optional<QString> price = Catalogue::PriceOf(m_session, m_productBox->currentText());
    m_productRowsFound = price.has_value();
    m_priceEdit->setText(price.value_or(QString()));
    m_priceEdit->setText(RoundToCents(m_priceEdit->text()));
    computeAmounts();
}

void CounterWindow::recomputeLine()
{
    if (m_priceEdit->text().isEmpty() || m_quantityEdit->text().isEmpty() || m_discountBox->currentText().isEmpty())
        return;
    computeAmounts();
}

// The line's amount and amount after discount from price, quantity and discount.
void CounterWindow::computeAmounts()
{
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    const LineAmounts amounts = PriceLine(m_priceEdit->text(), m_quantityEdit->text(), m_discountBox->currentText());
    m_amountEdit->setText(amounts.amount);
    m_discountedEdit->setText(amounts.discounted);
}
