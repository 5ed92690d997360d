#pragma once

#include "data/store/Session.h"
#include "printers/ReceiptPrinter.h"
#include "tests/support/Controls.h"
#include "tests/support/PrintTo.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class RecordingPrinter : public ReceiptPrinter
{
public:
    struct Job
    {
        QString name;
        QStringList items; // item names, in print order
        QStringList texts; // their texts
        QString textOf(const QString &item) const; // the first placement's; throws when absent
    };
    void print(const Report &receipt, const QString &jobName) override;

    std::vector<Job> jobs;
};

class DataGrid;
class RowSet;

class RecordsTest : public ::testing::Test
{
protected:
    RecordsTest() { session.setConnectionString(data.file()); }

    struct Ticket
    {
        QString number, time;
        double quantity, amount, discounted;
        QString cashier;
    };
    struct SoldLine
    {
        QString number, name;
        double price, quantity, amount, discounted;
    };
    void store(const Ticket &ticket);
    void store(const SoldLine &line);

    static QStringList columnTexts(const RowSet &rows, const QString &column);

    // Lists the statistics window's tickets of a number and a cashier or, given
    // a span, of its days.
    static void search(QWidget &statistics, const QString &number, const QString &cashier, const QDate &from = {},
                       const QDate &to = {});

    static void clickCell(DataGrid *grid, int row, int column, Qt::KeyboardModifiers modifiers = {});
    static void doubleClickCell(DataGrid *grid, int row, int column);

    // A missing window ends the test.
    static QWidget &window(const char *name);

    // Runs `open`, which shows a modal window; `whileShown` looks at that window
    // once it is up, then the window is closed so that `open` returns.
    static void runModal(const std::function<void()> &open, const std::function<void(QWidget *)> &whileShown);

    TempData data;
    RecordingResponder responder;
    Session session;
};
