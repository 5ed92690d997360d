#include "counter/TicketLines.h"

#include "base/NumberText.h"
#include "counter/LineEntry.h"
#include "counter/PaymentEntry.h"
#include "counter/PixelFont.h"
#include "counter/ShopLimits.h"
#include "data/shop/CurrentTicket.h"
#include "grid/DataGrid.h"
#include "grid/Handlers.h"
#include "ui_CounterWindow.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

// The totals' size, and the least they shrink to when long.
constexpr int kTotalPixels = 21;
constexpr int kSmallestTotalPixels = 8;

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
            column.displayFormat = QStringLiteral("#0.##");
        columns.push_back(column);
    }
    return columns;
}

} // namespace

TicketLines::TicketLines(const Ui::CounterWindow &form, Session &session, LineEntry &entry, PaymentEntry &payment,
                         std::function<TicketStamp()> stamp, QWidget &window)
    : QObject(&window)
    , m_window(window)
    , m_entry(entry)
    , m_payment(payment)
    , m_stamp(std::move(stamp))
    , m_lines(session)
    , m_add(form.SpeedButton3)
    , m_modify(form.SpeedButton4)
    , m_delete(form.SpeedButton5)
    , m_grid(form.DBGridEh1)
    , m_totalQuantity(form.Label18)
    , m_totalAmount(form.Label19)
    , m_totalDiscounted(form.Label20)
{
    fitTotals();
    m_grid->setColumns(TicketLineColumns());
    m_grid->view()->setFont(PixelFont("宋体", 15));
    QHeaderView *titles = m_grid->view()->horizontalHeader();
    titles->setFont(PixelFont("宋体", 15, true));
    // An 18 px title row, unless the font in use needs more to show whole titles.
    titles->setFixedHeight(std::max(18, QFontMetrics(titles->font()).height() + 2));
    m_grid->setRowSet(&m_lines);

    ConnectHandler(m_add, &QToolButton::clicked, this, &TicketLines::addLine, &window);
    ConnectHandler(&m_entry, &LineEntry::addRequested, this, &TicketLines::addLine, &window);
    connect(&m_entry, &LineEntry::scanned, this, [this, &window](bool byThePiece) {
        Dialogs::Guarded(&window, [this, byThePiece] { addScanned(byThePiece); });
    });
    ConnectHandler(m_modify, &QToolButton::clicked, this, &TicketLines::modifyLine, &window);
    ConnectHandler(m_delete, &QToolButton::clicked, this, &TicketLines::deleteLine, &window);
    ConnectHandler(m_grid, &DataGrid::cellClicked, this, &TicketLines::loadClickedLine, &window);
    ConnectHandler(m_grid, &DataGrid::recordsDeleted, this, &TicketLines::refreshTotals, &window);
}

void TicketLines::open()
{
    CurrentTicket::Open(m_lines);
}

void TicketLines::addLine()
{
    if (!m_entry.hasName()) {
        Dialogs::Message(&m_window, QStringLiteral("品名不能为空！"), Dialogs::Icon::Warning);
        return;
    }
    if (m_entry.complete()) {
        const EnteredLine line = m_entry.line();
        if (!withinLimits(line, false)) {
            refreshTotals();
            return;
        }
        m_lines.append();
        storeLine(line);
        m_entry.clear();
        m_modify->setEnabled(false);
        m_delete->setEnabled(false);
    } else {
        m_entry.warnOfEmptyFields();
    }
    refreshTotals();
}

void TicketLines::addScanned(bool byThePiece)
{
    const EnteredLine line = m_entry.line();
    const bool merges = byThePiece && !m_lastLineWeighed && !isEmpty();
    if (merges) {
        m_lines.last();
        const std::optional<Amount> price = Amount::tryFromText(m_lines.text(QStringLiteral("单价")));
        if (m_lines.text(QStringLiteral("品名")) == line.name && price
            && price->value() == Amount::fromText(line.price).value()) {
            m_entry.setQuantity((Amount::fromText(m_lines.text(QStringLiteral("数量"))) + Amount(1)).text());
            modifyLine();
            return;
        }
    }
    const int before = m_lines.recordCount();
    addLine();
    if (m_lines.recordCount() > before)
        m_lastLineWeighed = !byThePiece;
}

// The current line takes the entered fields, and the ticket's number and time.
void TicketLines::modifyLine()
{
    if (!m_entry.complete()) {
        m_entry.warnOfEmptyFields();
        return;
    }
    const EnteredLine line = m_entry.line();
    if (!withinLimits(line, !isEmpty()))
        return;
    m_lines.edit(); // on an empty ticket this begins a new line
    storeLine(line);
    m_entry.clear();
    refreshTotals();
    showEntering(true);
}

void TicketLines::deleteLine()
{
    if (isEmpty())
        return;
    m_lines.deleteCurrent();
    m_entry.clear();
    refreshTotals();
    showEntering(true);
}

// A click on a line loads it into the entry fields, with the discount it was priced at.
void TicketLines::loadClickedLine()
{
    if (isEmpty()) {
        showEntering(true);
        return;
    }
    showEntering(false);
    const auto text = [this](const char *column) { return m_lines.text(QString::fromUtf8(column)); };
    m_entry.show({text("品名"), text("单价"), text("数量"), {text("金额"), text("折后")}});
}

std::vector<SaleLine> TicketLines::lines() const
{
    return CurrentTicket::Lines(m_lines);
}

void TicketLines::refreshTotals()
{
    Sale ticket;
    ticket.lines = lines();
    const SaleTotals totals = ticket.totals();
    m_totals = {totals.quantity.value(), totals.amount.value(), totals.discounted.value()};
    const std::pair<QLabel *, Amount> labels[] = {
        {m_totalQuantity, totals.quantity}, {m_totalAmount, totals.amount}, {m_totalDiscounted, totals.discounted}};
    for (const auto &[label, total] : labels)
        label->setText(total.text());
    fitTotals();
    m_payment.setPayable(totals.discounted);
}

void TicketLines::clearTotals()
{
    m_totals = {};
    for (QLabel *total : {m_totalQuantity, m_totalAmount, m_totalDiscounted})
        total->setText(QStringLiteral("0"));
    fitTotals(); // a long total before may have shrunk the font
}

// Assigns the line's seven fields and posts it. A text a number column refuses
// ends this with an error and the row is not stored.
void TicketLines::storeLine(const EnteredLine &line)
{
    const TicketStamp stamp = m_stamp();
    CurrentTicket::PostLine(m_lines, stamp.number, stamp.time,
                            {line.name, line.price, line.quantity, line.amounts.amount, line.amounts.discounted});
}

// Refuses, with a warning, a line whose figures or whose ticket's totals would
// go beyond what a shop's number may hold.
bool TicketLines::withinLimits(const EnteredLine &line, bool replacingCurrent)
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
    const QString warning = LineLimitWarning(
        {figure(line.price), figure(line.quantity), figure(line.amounts.amount), figure(line.amounts.discounted)},
        otherLines);
    if (warning.isEmpty())
        return true;
    Dialogs::Message(&m_window, warning, Dialogs::Icon::Warning);
    return false;
}

// Entering a new line: Add on, Modify and Delete off; a line selected: the reverse.
void TicketLines::showEntering(bool entering)
{
    m_add->setEnabled(entering);
    m_modify->setEnabled(!entering);
    m_delete->setEnabled(!entering);
}

// Each total in its own place, drawn smaller when long.
void TicketLines::fitTotals()
{
    for (QLabel *total : {m_totalQuantity, m_totalAmount, m_totalDiscounted}) {
        QFont font = PixelFont("宋体", kTotalPixels, true);
        while (font.pixelSize() > kSmallestTotalPixels
               && QFontMetrics(font).horizontalAdvance(total->text()) > total->width())
            font.setPixelSize(font.pixelSize() - 1);
        total->setFont(font);
    }
}
