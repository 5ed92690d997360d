#include "tests/records/RecordsFixture.h"

#include "data/store/RowSet.h"
#include "grid/DataGrid.h"
#include "report/Report.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <stdexcept>
#include <string>

namespace {

QPoint CellCentre(DataGrid *grid, int row, int column)
{
    QTableView *view = grid->view();
    return view->visualRect(view->model()->index(row, column)).center();
}

} // namespace

void RecordingPrinter::print(const Report &receipt, const QString &jobName)
{
    Job job{jobName, {}, {}};
    for (const PlacedItem &item : receipt.run().items) {
        job.items << item.name;
        job.texts << item.text;
    }
    jobs.push_back(job);
}

QString RecordingPrinter::Job::textOf(const QString &item) const
{
    const int at = items.indexOf(item);
    if (at < 0)
        throw std::runtime_error("no item " + item.toStdString());
    return texts[at];
}

void RecordsTest::store(const Ticket &t)
{
    session.exec(
        QStringLiteral("insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) values (?1, ?2, ?3, ?4, ?5, ?6)"),
        {t.number, t.time, t.quantity, t.amount, t.discounted, t.cashier});
}

void RecordsTest::store(const SoldLine &l)
{
    session.exec(QStringLiteral("insert into xsmx (单号, 时间, 品名, 单价, 数量, 金额, 折后) "
                                "values (?1, '2024-03-01 10:00:00', ?2, ?3, ?4, ?5, ?6)"),
                 {l.number, l.name, l.price, l.quantity, l.amount, l.discounted});
}

QStringList RecordsTest::columnTexts(const RowSet &rows, const QString &column)
{
    QStringList texts;
    const int index = rows.columnIndex(column);
    for (int row = 0; row < rows.recordCount(); ++row)
        texts << rows.textAt(row, index);
    return texts;
}

void RecordsTest::search(QWidget &statistics, const QString &number, const QString &cashier, const QDate &from,
                         const QDate &to)
{
    QCheckBox *byDates = Find<QCheckBox>(statistics, "CheckBox1");
    if (byDates->isChecked() != from.isValid())
        QTest::mouseClick(byDates, Qt::LeftButton);
    Find<QLineEdit>(statistics, "Edit1")->setText(number);
    Find<QLineEdit>(statistics, "Edit2")->setText(cashier);
    if (from.isValid()) {
        Find<QDateEdit>(statistics, "DateTimePicker1")->setDate(from);
        Find<QDateEdit>(statistics, "DateTimePicker2")->setDate(to);
    }
    QTest::mouseClick(Find<QToolButton>(statistics, "SpeedButton4"), Qt::LeftButton);
}

void RecordsTest::clickCell(DataGrid *grid, int row, int column, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(grid->view()->viewport(), Qt::LeftButton, modifiers, CellCentre(grid, row, column));
}

void RecordsTest::doubleClickCell(DataGrid *grid, int row, int column)
{
    clickCell(grid, row, column);
    QTest::mouseDClick(grid->view()->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

QWidget &RecordsTest::window(const char *name)
{
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String(name))
            return *window;
    throw std::runtime_error(std::string("no window named ") + name);
}

void RecordsTest::runModal(const std::function<void()> &open, const std::function<void(QWidget *)> &whileShown)
{
    QWidget *seen = nullptr;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || seen)
            return;
        seen = modal;
        whileShown(modal);
        modal->close();
    });
    poll.start(10);
    open();
    ASSERT_NE(seen, nullptr) << "no modal window was shown";
}
