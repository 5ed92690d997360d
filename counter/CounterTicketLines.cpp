#include "counter/CounterWindow.h"

#include "base/NumberText.h"
#include "counter/CounterNumbers.h"
#include "counter/LinePricing.h"
#include "counter/ShopLimits.h"
#include "data/shop/CurrentTicket.h"
#include "grid/DataGrid.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>
#include <QToolButton>

#include <algorithm>

namespace {

const QString kNumberFormat = QStringLiteral("#0.##");

std::vector<GridColumn> TicketLineColumns()
{
    GridColumn position;
    position.title = QStringLiteral("序号");
    position.width = 50;
    position.rowNumbers = true;

    std::vector<GridColumn> columns{position};
    const std::pair<const char *, int> fields[] = {
        {"品名", 260}, {"单价", 80}, {"数量", 60}, {"金额", 100}, {"折后", 100}};
    for (const auto &[name, width] : fields) {
        GridColumn column;
        column.field = QString::fromUtf8(name);
        column.width = width;
        if (column.field != QStringLiteral("品名"))
            column.displayFormat = kNumberFormat;
        columns.push_back(column);
    }
    return columns;
}

QFont ListFont(bool bold)
{
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(15);
    font.setBold(bold);
    return font;
}

} // namespace

// Ticket lines: add, modify, delete, a click on a line, and the totals.
void CounterWindow::connectTicketLines()
{
    m_linesGrid->setColumns(TicketLineColumns());
    m_linesGrid->view()->setFont(ListFont(false));
    QHeaderView *titles = m_linesGrid->view()->horizontalHeader();
    titles->setFont(ListFont(true));
    // An 18 px title row, unless the font in use needs more to show whole titles.
    titles->setFixedHeight(std::max(18, QFontMetrics(titles->font()).height() + 2));
    m_linesGrid->setRowSet(&m_lines);

    ConnectHandler(m_addButton, &QToolButton::clicked, this, &CounterWindow::addLine);
    ConnectHandler(m_modifyButton, &QToolButton::clicked, this, &CounterWindow::modifyLine);
    ConnectHandler(m_deleteButton, &QToolButton::clicked, this, &CounterWindow::deleteLine);
    ConnectHandler(m_linesGrid, &DataGrid::cellClicked, this, &CounterWindow::loadClickedLine);
    ConnectHandler(m_linesGrid, &DataGrid::recordsDeleted, this, &CounterWindow::refreshTotals);
}

// Add: appends the entered line at the end of the ticket.
void CounterWindow::addLine()
{
    if (m_productBox->currentText().isEmpty()) {
        Dialogs::Message(this, QStringLiteral("品名不能为空！"), Dialogs::Icon::Warning);
        return;
    }
    if (entryComplete()) {
        const LineAmounts amounts = enteredAmounts();
        if (!lineWithinLimits(amounts, false)) {
            refreshTotals();
            return;
        }
        m_lines.append();
        storeLine(amounts);
        resetLineEntry();
        m_modifyButton->setEnabled(false);
        m_deleteButton->setEnabled(false);
    } else {
        warnEmptyEntries();
    }
    refreshTotals();
}

// Modify: the current line takes the entered fields, and the ticket's number and time.
void CounterWindow::modifyLine()
{
    if (!entryComplete()) {
        warnEmptyEntries();
        return;
    }
    const LineAmounts amounts = enteredAmounts();
    if (!lineWithinLimits(amounts, m_lines.recordCount() > 0))
        return;
    m_lines.edit(); // on an empty ticket this begins a new line
    storeLine(amounts);
    resetLineEntry();
    refreshTotals();
    showEntering(true);
}

// Delete: the current line goes at once, without a question.
void CounterWindow::deleteLine()
{
    if (m_lines.recordCount() == 0)
        return;
    m_lines.deleteCurrent();
    resetLineEntry();
    refreshTotals();
    showEntering(true);
}

// A click on a line loads it into the entry fields, with the discount it was priced at.
void CounterWindow::loadClickedLine()
{
    if (m_lines.recordCount() == 0) {
        showEntering(true);
        return;
    }
    showEntering(false);
    m_productBox->setEditText(m_lines.text(QStringLiteral("品名")));
    // The line is shown as stored, not priced afresh; it keeps its own amounts
    // until its price, quantity or discount changes. One stored without amounts
    // (by an older version) stops at them and is priced from its fields.
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    const QSignalBlocker priceQuiet(m_priceEdit), quantityQuiet(m_quantityEdit), discountQuiet(m_discountBox);
    const LineAmounts stored{m_lines.text(QStringLiteral("金额")), m_lines.text(QStringLiteral("折后"))};
    const std::pair<QLineEdit *, const char *> numbers[] = {
        {m_priceEdit, "单价"}, {m_quantityEdit, "数量"}, {m_amountEdit, "金额"}, {m_discountedEdit, "折后"}};
    for (const auto &[field, column] : numbers) {
        field->setText(m_lines.text(QString::fromUtf8(column)));
        field->setText(RoundToCents(field->text()));
    }
    m_discountBox->setEditText(LineDiscount(stored.amount, stored.discounted));
    m_loadedAmounts = stored;
}

void CounterWindow::refreshTotals()
{
    m_totals = SumTicketLines(m_lines);
    const std::pair<QLabel *, long double> labels[] = {{m_totalQuantityLabel, m_totals.quantity},
                                                       {m_totalAmountLabel, m_totals.amount},
                                                       {m_totalDiscountedLabel, m_totals.afterDiscount}};
    for (const auto &[label, sum] : labels)
        label->setText(TotalText(sum));
    fitTotals();
    m_payableEdit->setText(TotalText(m_totals.afterDiscount));
    // A customer who has paid already gets the change for the new total.
    const QString paid = m_paidBox->currentText();
    m_changeEdit->setText(paid.isEmpty() ? QStringLiteral("0") : ChangeText(paid, m_payableEdit->text()));
}

// What add and modify store as the line's amounts: priced from the price,
// quantity and discount as the fields hold them now (a clicked line keeps its
// own until one of them changes), less the fraction when "抹零" was pressed
// since. Throws AppError for a line that cannot be priced.
LineAmounts CounterWindow::enteredAmounts() const
{
    LineAmounts amounts = m_loadedAmounts
        ? *m_loadedAmounts
        : PriceLineToStore(m_priceEdit->text(), m_quantityEdit->text(), m_discountBox->currentText());
    if (m_fractionDropped)
        amounts.discounted = DropFraction(amounts.discounted);
    return amounts;
}

// Assigns the line's seven fields and posts it. A text a number column refuses
// ends this with an error and the row is not stored.
void CounterWindow::storeLine(const LineAmounts &amounts)
{
    CurrentTicket::PostLine(
        m_lines, m_ticketNumberEdit->text(), m_ticketTimeEdit->text(),
        {m_productBox->currentText(), m_priceEdit->text(), m_quantityEdit->text(), amounts.amount, amounts.discounted});
}

// Refuses, with a warning, a line whose figures or whose ticket's totals would
// go beyond what a shop's number may hold.
bool CounterWindow::lineWithinLimits(const LineAmounts &amounts, bool replacingCurrent)
{
    const auto figure = [](const QString &text) {
        long double value = 0; // an unreadable text is refused when the line is stored
        return TryTextToNumber(text, value) ? value : 0.0L;
    };
    TicketTotals otherLines = m_totals;
    if (replacingCurrent) {
        otherLines.quantity -= m_lines.value(QStringLiteral("数量")).toDouble();
        otherLines.amount -= m_lines.value(QStringLiteral("金额")).toDouble();
        otherLines.afterDiscount -= m_lines.value(QStringLiteral("折后")).toDouble();
    }
    const QString warning = LineLimitWarning({figure(m_priceEdit->text()), figure(m_quantityEdit->text()),
                                              figure(amounts.amount), figure(amounts.discounted)},
                                             otherLines);
    if (warning.isEmpty())
        return true;
    Dialogs::Message(this, warning, Dialogs::Icon::Warning);
    return false;
}

bool CounterWindow::entryComplete() const
{
    return !m_priceEdit->text().isEmpty() && !m_quantityEdit->text().isEmpty()
        && !m_discountBox->currentText().isEmpty();
}

// One warning per empty field, in the order of the fields.
void CounterWindow::warnEmptyEntries()
{
    if (m_priceEdit->text().isEmpty())
        Dialogs::Message(this, QStringLiteral("单价不能为空！"), Dialogs::Icon::Warning);
    if (m_quantityEdit->text().isEmpty())
        Dialogs::Message(this, QStringLiteral("数量不能为空！"), Dialogs::Icon::Warning);
    if (m_discountBox->currentText().isEmpty())
        Dialogs::Message(this, QStringLiteral("折扣不能为空！"), Dialogs::Icon::Warning);
}

void CounterWindow::resetLineEntry()
{
    m_loadedAmounts.reset();
    m_fractionDropped = false;
    m_productBox->clearEditText();
    m_priceEdit->clear();
    m_quantityEdit->setText(QStringLiteral("1"));
    m_discountBox->setEditText(QStringLiteral("10"));
    m_amountEdit->clear();
    m_discountedEdit->clear();
}

// Entering a new line: Add on, Modify and Delete off; a line selected: the reverse.
void CounterWindow::showEntering(bool entering)
{
    m_addButton->setEnabled(entering);
    m_modifyButton->setEnabled(!entering);
    m_deleteButton->setEnabled(!entering);
}
