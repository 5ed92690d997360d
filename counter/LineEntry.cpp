#include "counter/LineEntry.h"

#include "base/NumberText.h"
#include "counter/CounterNumbers.h"
#include "counter/NumericKeyFilter.h"
#include "counter/PrefixCompletion.h"
#include "counter/ProductScan.h"
#include "counter/SelectOnFocus.h"
#include "data/shop/Catalogue.h"
#include "grid/Handlers.h"
#include "ui_CounterWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>

LineEntry::LineEntry(const Ui::CounterWindow &form, Session &session, QWidget &window)
    : QObject(&window)
    , m_session(session)
    , m_window(window)
    , m_product(form.ComboBox1)
    , m_discount(form.ComboBox2)
    , m_price(form.Edit7)
    , m_quantity(form.Edit8)
    , m_amount(form.Edit9)
    , m_discounted(form.Edit10)
    , m_scanMessage(new QLabel(form.StatusBar1))
{
    m_scanMessage->setObjectName(QStringLiteral("ScanMessage"));
    m_scanMessage->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    form.StatusBar1->addPermanentWidget(m_scanMessage);
    m_discount->addItems(DiscountSteps());
    m_discount->setEditText(QStringLiteral("10"));
    // A discount typed in full must reach the computation as typed: no completion.
    m_discount->setCompleter(nullptr);

    auto *numbers = new NumericKeyFilter(this);
    auto *selecting = new SelectOnFocus(this);
    for (QWidget *field :
         {static_cast<QWidget *>(m_price), static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_discount)})
        numbers->watch(field);
    // Every change of the text prices the line afresh, however it came: typed,
    // pasted, dropped or set.
    ConnectHandler(m_price, &QLineEdit::textChanged, this, &LineEntry::recomputeLine, &window);
    ConnectHandler(m_quantity, &QLineEdit::textChanged, this, &LineEntry::recomputeLine, &window);
    ConnectHandler(m_discount, &QComboBox::editTextChanged, this, &LineEntry::recomputeLine, &window);
    for (QWidget *field :
         {static_cast<QWidget *>(m_price), static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_discount)})
        selecting->watch(field);
    // Watched after the key filter, so Enter is seen though the filter drops it.
    m_quantity->installEventFilter(this);
    m_discount->installEventFilter(this);
    m_product->installEventFilter(this);
    ConnectHandler(m_discount, &QComboBox::activated, this, &LineEntry::recomputeLine, &window);

    // In the product box a completed name counts as a pick, like one from the list.
    auto *completion = new PrefixCompletion(m_product);
    ConnectHandler(completion, &PrefixCompletion::completed, this, &LineEntry::pickProduct, &window);
    ConnectHandler(m_product, &QComboBox::activated, this, &LineEntry::pickProduct, &window);
    ConnectHandler(form.SpeedButton2, &QToolButton::clicked, this, &LineEntry::dropFraction, &window);
}

void LineEntry::reloadProducts()
{
    // Read first: a list that cannot be read keeps the one shown.
    const QStringList names = Catalogue::ProductNames(m_session);
    m_product->clear();
    m_product->clearEditText();
    m_productListRead = true;
    m_productRowsFound = !names.isEmpty();
    m_product->addItems(names);
    m_product->setCurrentIndex(-1);
    m_product->clearEditText();
}

bool LineEntry::hasName() const
{
    return !m_product->currentText().isEmpty();
}

bool LineEntry::complete() const
{
    return !m_price->text().isEmpty() && !m_quantity->text().isEmpty() && !m_discount->currentText().isEmpty();
}

void LineEntry::warnOfEmptyFields() const
{
    if (m_price->text().isEmpty())
        Dialogs::Message(&m_window, QStringLiteral("单价不能为空！"), Dialogs::Icon::Warning);
    if (m_quantity->text().isEmpty())
        Dialogs::Message(&m_window, QStringLiteral("数量不能为空！"), Dialogs::Icon::Warning);
    if (m_discount->currentText().isEmpty())
        Dialogs::Message(&m_window, QStringLiteral("折扣不能为空！"), Dialogs::Icon::Warning);
}

EnteredLine LineEntry::line() const
{
    LineAmounts amounts = m_loadedAmounts
        ? *m_loadedAmounts
        : PriceLineToStore(m_price->text(), m_quantity->text(), m_discount->currentText());
    if (m_fractionDropped)
        amounts.discounted = DropFraction(amounts.discounted);
    return {m_product->currentText(), m_price->text(), m_quantity->text(), amounts};
}

void LineEntry::show(const EnteredLine &stored)
{
    m_product->setEditText(stored.name);
    // One stored without amounts (by an older version) stops at them and is
    // priced from its fields.
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    const QSignalBlocker priceQuiet(m_price), quantityQuiet(m_quantity), discountQuiet(m_discount);
    const std::pair<QLineEdit *, QString> numbers[] = {{m_price, stored.price},
                                                       {m_quantity, stored.quantity},
                                                       {m_amount, stored.amounts.amount},
                                                       {m_discounted, stored.amounts.discounted}};
    for (const auto &[field, text] : numbers) {
        field->setText(text);
        field->setText(RoundToCents(field->text()));
    }
    m_discount->setEditText(LineDiscount(stored.amounts.amount, stored.amounts.discounted));
    m_loadedAmounts = stored.amounts;
}

void LineEntry::clear()
{
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    m_product->clearEditText();
    m_price->clear();
    m_quantity->setText(QStringLiteral("1"));
    m_discount->setEditText(QStringLiteral("10"));
    m_amount->clear();
    m_discounted->clear();
}

void LineEntry::setQuantity(const QString &quantity)
{
    m_quantity->setText(quantity);
}

bool LineEntry::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (watched == m_product && key == Qt::Key_F3) {
        emit catalogueWanted(m_product->currentText().trimmed());
        return true;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (watched == m_product)
        Dialogs::Guarded(&m_window, [this] { scanProduct(); });
    else
        emit addRequested();
    return true;
}

void LineEntry::scanProduct()
{
    const QString text = m_product->currentText().trimmed();
    if (text.isEmpty())
        return;
    const ScanResult scan = ReadScan(m_session, text, m_scanner);
    if (scan.kind == ScanResult::Kind::Refused) {
        refuseScan(scan.refusal);
        return;
    }
    m_scanMessage->clear();
    // A product typed by hand, or one without a price, waits for its price.
    if (scan.kind == ScanResult::Kind::Typed || scan.product.price.isEmpty()) {
        m_product->setEditText(scan.kind == ScanResult::Kind::Typed ? text : scan.product.name);
        m_price->setFocus();
        return;
    }
    m_product->setEditText(scan.product.name);
    {
        const QSignalBlocker priceQuiet(m_price), quantityQuiet(m_quantity);
        m_price->setText(RoundToCents(scan.product.price));
        m_quantity->setText(scan.quantity);
    }
    computeAmounts();
    if (!scan.amount.isEmpty()) { // weighed by amount: the scale's amount, not the price's
        m_loadedAmounts = LineAmounts{
            scan.amount, NumberToText(DiscountedAmount(m_discount->currentText(), TextToNumber(scan.amount)))};
        m_amount->setText(m_loadedAmounts->amount);
        m_discounted->setText(m_loadedAmounts->discounted);
    }
    emit scanned(scan.kind == ScanResult::Kind::Product);
    // The next scan replaces whatever the box still shows.
    m_product->setFocus();
    m_product->lineEdit()->selectAll();
}

void LineEntry::refuseScan(const QString &why)
{
    m_scanMessage->setText(why);
    QApplication::beep();
    m_product->setFocus();
    m_product->lineEdit()->selectAll();
}

// A product was picked: its price from the catalogue, then the amounts.
void LineEntry::pickProduct()
{
    if (!m_productRowsFound || m_product->currentText().isEmpty())
        return;
    // A look-up that fails (a shop's server away) leaves the price to be typed.
    const std::optional<QString> price = Catalogue::PriceOf(m_session, m_product->currentText());
    m_productRowsFound = price.has_value();
    m_price->setText(price.value_or(QString()));
    m_price->setText(RoundToCents(m_price->text()));
    computeAmounts();
}

void LineEntry::recomputeLine()
{
    if (complete())
        computeAmounts();
}

void LineEntry::computeAmounts()
{
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    const LineAmounts amounts = PriceLine(m_price->text(), m_quantity->text(), m_discount->currentText());
    m_amount->setText(amounts.amount);
    m_discounted->setText(amounts.discounted);
}

// "抹零": the line's amount after discount loses its fraction.
void LineEntry::dropFraction()
{
    if (m_discounted->text().isEmpty())
        return;
    m_discounted->setText(DropFraction(m_discounted->text()));
    m_fractionDropped = true;
}
