#include "counter/MainUnit.h"

#include "grid/Dialogs.h"
#include "grid/Handlers.h"
#include "counter/CounterNumbers.h"
#include "counter/LinePricing.h"
#include "counter/TicketTotals.h"
#include "grid/DataGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
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
    const std::pair<const char *, int> fields[] = {{"品名", 260}, {"单价", 80}, {"数量", 60}, {"金额", 100}, {"折后", 100}};
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

// Assigns the line's seven fields from the entry fields and posts it. A text a
// number column refuses ends this with an error and the row is not stored.
void StoreLine(TMainForm &form)
{
    RowSet &lines = form.ADOQuery2;
    lines.setText(QStringLiteral("单号"), form.Edit2->text());
    lines.setText(QStringLiteral("时间"), form.Edit3->text());
    lines.setText(QStringLiteral("品名"), form.ComboBox1->currentText());
    lines.setText(QStringLiteral("单价"), form.Edit7->text());
    lines.setText(QStringLiteral("数量"), form.Edit8->text());
    lines.setText(QStringLiteral("金额"), form.Edit9->text());
    lines.setText(QStringLiteral("折后"), form.Edit10->text());
    lines.post();
}

bool EntryComplete(const TMainForm &form)
{
    return !form.Edit7->text().isEmpty() && !form.Edit8->text().isEmpty() && !form.ComboBox2->currentText().isEmpty();
}

// One warning per empty field, in the order of the fields.
void WarnEmptyEntries(TMainForm &form)
{
    if (form.Edit7->text().isEmpty())
        Dialogs::Message(&form, QStringLiteral("单价不能为空！"), Dialogs::Icon::Warning);
    if (form.Edit8->text().isEmpty())
        Dialogs::Message(&form, QStringLiteral("数量不能为空！"), Dialogs::Icon::Warning);
    if (form.ComboBox2->currentText().isEmpty())
        Dialogs::Message(&form, QStringLiteral("折扣不能为空！"), Dialogs::Icon::Warning);
}

void ResetLineEntry(TMainForm &form)
{
    form.ComboBox1->clearEditText();
    form.Edit7->clear();
    form.Edit8->setText(QStringLiteral("1"));
    form.ComboBox2->setEditText(QStringLiteral("10"));
    form.Edit9->clear();
    form.Edit10->clear();
}

// Entering a new line: Add on, Modify and Delete off; a line selected: the reverse.
void ShowEntering(TMainForm &form, bool entering)
{
    form.SpeedButton3->setEnabled(entering);
    form.SpeedButton4->setEnabled(!entering);
    form.SpeedButton5->setEnabled(!entering);
}

} // namespace

// Ticket lines: add, modify, delete, a click on a line, and the totals.
void TMainForm::ConnectTicketLines()
{
    DBGridEh1->setColumns(TicketLineColumns());
    DBGridEh1->view()->setFont(ListFont(false));
    QHeaderView *titles = DBGridEh1->view()->horizontalHeader();
    titles->setFont(ListFont(true));
    // An 18 px title row, unless the font in use needs more to show whole titles.
    titles->setFixedHeight(std::max(18, QFontMetrics(titles->font()).height() + 2));
    DBGridEh1->setRowSet(&ADOQuery2);

    ConnectHandler(SpeedButton3, &QToolButton::clicked, this, &TMainForm::SpeedButton3Click);
    ConnectHandler(SpeedButton4, &QToolButton::clicked, this, &TMainForm::SpeedButton4Click);
    ConnectHandler(SpeedButton5, &QToolButton::clicked, this, &TMainForm::SpeedButton5Click);
    ConnectHandler(DBGridEh1, &DataGrid::cellClicked, this, &TMainForm::DBGridEh1CellClick);
    ConnectHandler(DBGridEh1, &DataGrid::recordsDeleted, this, &TMainForm::RefreshTotals);
}

// Add: appends the entered line at the end of the ticket.
void TMainForm::SpeedButton3Click()
{
    if (ComboBox1->currentText().isEmpty()) {
        Dialogs::Message(this, QStringLiteral("品名不能为空！"), Dialogs::Icon::Warning);
        return;
    }
    if (EntryComplete(*this)) {
        ADOQuery2.append();
        StoreLine(*this);
        ResetLineEntry(*this);
        SpeedButton4->setEnabled(false);
        SpeedButton5->setEnabled(false);
    } else {
        WarnEmptyEntries(*this);
    }
    RefreshTotals();
}

// Modify: the current line takes the entered fields, and the ticket's number and time.
void TMainForm::SpeedButton4Click()
{
    if (!EntryComplete(*this)) {
        WarnEmptyEntries(*this);
        return;
    }
    ADOQuery2.edit(); // on an empty ticket this begins a new line
    StoreLine(*this);
    ResetLineEntry(*this);
    RefreshTotals();
    ShowEntering(*this, true);
}

// Delete: the current line goes at once, without a question.
void TMainForm::SpeedButton5Click()
{
    if (ADOQuery2.recordCount() == 0)
        return;
    ADOQuery2.deleteCurrent();
    ResetLineEntry(*this);
    RefreshTotals();
    ShowEntering(*this, true);
}

// A click on a line loads it into the entry fields; the discount stays as it is.
void TMainForm::DBGridEh1CellClick()
{
    if (ADOQuery2.recordCount() == 0) {
        ShowEntering(*this, true);
        return;
    }
    ShowEntering(*this, false);
    ComboBox1->setEditText(ADOQuery2.text(QStringLiteral("品名")));
    const std::pair<QLineEdit *, const char *> numbers[] = {
        {Edit7, "单价"}, {Edit8, "数量"}, {Edit9, "金额"}, {Edit10, "折后"}};
    for (const auto &[field, column] : numbers) {
        field->setText(ADOQuery2.text(QString::fromUtf8(column)));
        field->setText(RoundToCents(field->text()));
    }
}

void TMainForm::RefreshTotals()
{
    const TicketTotals totals = SumTicketLines(ADOQuery2);
    const std::pair<QLabel *, long double> labels[] = {
        {Label18, totals.quantity}, {Label19, totals.amount}, {Label20, totals.afterDiscount}};
    for (const auto &[label, sum] : labels) {
        label->setText(TotalText(sum));
        label->adjustSize(); // the label grows with its text
    }
    Edit12->setText(TotalText(totals.afterDiscount));
    Edit13->setText(QStringLiteral("0"));
}
