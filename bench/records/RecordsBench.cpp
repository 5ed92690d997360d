// Times the records windows on data files of growing size and prints each
// figure beside its ratio to the smallest size: the statistics window opened
// with every ticket listed and summed, its peak memory, a month's date span
// searched in it, the last row reached with Ctrl+End, the bar dragged to the
// middle, and the .xls export of every ticket with its own peak memory. Each
// size runs in a process of its own, so that its peak memory is its own. Also printed per size: the ledger
// query of a month, the day-end sums of a month, the chart's days of a year
// and the detail of one ticket.
//
// bench_records [tickets ...]   (200000 1000000 2000000 unless given)
#include "bench/support/BenchDataFile.h"
#include "bench/support/SalesHistory.h"
#include "data/shop/DayEnd.h"
#include "data/shop/SalesLedger.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "grid/DataGrid.h"
#include "printers/ReceiptPrinter.h"
#include "records/SaleDetailWindow.h"
#include "records/StatisticsWindow.h"
#include "records/TicketExport.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// Lines of the child's output that carry a figure for the table: "figure <name> <value>".
const QByteArray kFigure = "figure ";

// The process's peak resident memory in MB, from /proc/self/status.
double PeakMemoryMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return -1;
}

// Lowers the peak to what the process holds now, so that the next peak is one step's.
void ResetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The benchmark prints nothing.
class NoPrinter : public ReceiptPrinter
{
public:
    void print(const Report &, const QString &) override { }
};

template <typename Step>
qint64 Milliseconds(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.elapsed();
}

void Figure(const char *name, double value)
{
    std::printf("%s%s %.1f\n", kFigure.constData(), name, value);
}

// One size, in this process.
int RunOne(int tickets)
{
    // Two lines a ticket keep the generation of the largest size under a minute.
    const int linesPerTicket = 2;
    const BenchDataFile data;
    const QString dataFile = data.path();
    Session connection;
    connection.setConnectionString(dataFile);
    const qint64 generateMs = Milliseconds([&] { GenerateSales(connection, tickets, linesPerTicket); });
    connection.close();
    malloc_trim(0); // what the generation freed leaves the process, not to count as the window's
    std::printf("generated %d tickets and %d lines in %lld ms (target under 60000 ms)\n", tickets,
                tickets * linesPerTicket, static_cast<long long>(generateMs));

    // The windows share one session, open as in the program before a window is.
    Session session;
    session.setConnectionString(dataFile);
    session.open();
    NoPrinter printer;
    SaleDetailWindow detail(session, printer);
    StatisticsWindow statistics(session, detail, printer);
    DataGrid *ticketGrid = statistics.findChild<DataGrid *>(QStringLiteral("DBGridEh1"));
    DataGrid *lineGrid = detail.findChild<DataGrid *>(QStringLiteral("DBGridEh1"));
    const RowSet &listed = *ticketGrid->rowSet();
    ResetPeakMemory();
    const double baseMb = PeakMemoryMb();
    const qint64 openMs = Milliseconds([&] {
        statistics.reload();
        statistics.show();
        QApplication::processEvents();
        ticketGrid->footerText(3); // the sums are part of what the window shows
    });
    const double openMb = PeakMemoryMb();
    std::printf("statistics window with all %d tickets: %lld ms, peak memory %.0f MB (%.0f MB before opening)\n",
                listed.recordCount(), static_cast<long long>(openMs), openMb, baseMb);
    Figure("open_ms", double(openMs));
    Figure("open_peak_mb", openMb);

    const qint64 endMs = Milliseconds([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(ticketGrid->view(), &press);
        QApplication::processEvents(); // the rows shown are read as they are painted
    });
    std::printf("Ctrl+End to row %d: %lld ms\n", listed.currentIndex() + 1, static_cast<long long>(endMs));
    Figure("ctrl_end_ms", double(endMs));

    // The grid's bar dragged to the middle: the rows there are read by
    // skipping from the nearer end, as no page near them is held.
    auto *bar = ticketGrid->findChild<QScrollBar *>(QString(), Qt::FindDirectChildrenOnly);
    const qint64 middleMs = Milliseconds([&] {
        bar->setValue(bar->maximum() / 2);
        QApplication::processEvents();
    });
    std::printf("bar dragged to row %d: %lld ms\n", ticketGrid->firstShownRow() + 1, static_cast<long long>(middleMs));
    Figure("bar_middle_ms", double(middleMs));

    statistics.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->click();
    statistics.findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"))->setDate(QDate(2024, 3, 1));
    statistics.findChild<QDateEdit *>(QStringLiteral("DateTimePicker2"))->setDate(QDate(2024, 3, 31));
    auto *searchButton = statistics.findChild<QToolButton *>(QStringLiteral("SpeedButton4"));
    const qint64 spanMs = Milliseconds([&] {
        searchButton->click();
        QApplication::processEvents();
        ticketGrid->footerText(3);
    });
    std::printf("date span of one month, %d tickets: %lld ms\n", listed.recordCount(), static_cast<long long>(spanMs));
    Figure("month_span_ms", double(spanMs));

    // The same month straight through the ledger, the day-end report's sums
    // over it, and the chart's days over a year; each the best of three runs.
    const TicketFilter month = TicketFilter::Between(QDate(2024, 3, 1), QDate(2024, 3, 31));
    const auto best = [](auto step) {
        qint64 fastest = -1;
        for (int run = 0; run < 3; ++run) {
            const qint64 ms = Milliseconds(step);
            fastest = fastest < 0 ? ms : std::min(fastest, ms);
        }
        return static_cast<long long>(fastest);
    };
    RowSet monthTickets(session);
    const long long monthMs = best([&] { SalesLedger::OpenTickets(monthTickets, month); });
    std::printf("ledger query of one month, %d tickets: %lld ms\n", monthTickets.recordCount(), monthMs);
    DayEnd::Figures figures;
    const long long dayEndMs = best([&] { figures = DayEnd::Sum(session, month); });
    std::printf("day-end sums of one month, %d tickets, %d products: %lld ms\n", figures.all.tickets,
                int(figures.products.size()), dayEndMs);
    std::vector<DayEnd::DaySales> days;
    const long long chartMs = best(
        [&] { days = DayEnd::SalesPerDay(session, TicketFilter::Between(QDate(2024, 1, 1), QDate(2024, 12, 31))); });
    std::printf("chart days of one year, %d days: %lld ms\n", int(days.size()), chartMs);
    const QString number = listed.textAt(100, listed.columnIndex(QStringLiteral("单号")));
    const qint64 detailMs = Milliseconds([&] {
        detail.showTicket(number);
        detail.show();
        QApplication::processEvents();
        lineGrid->footerText(5);
    });
    std::printf("detail of ticket %s, %d lines: %lld ms\n", qPrintable(number), lineGrid->rowSet()->recordCount(),
                static_cast<long long>(detailMs));

    // Every ticket, as the window lists them, into a workbook.
    RowSet all(session);
    SalesLedger::OpenTicketsByNumber(all);
    const QString target = QDir(QFileInfo(dataFile).path()).filePath(QStringLiteral("export.xls"));
    ResetPeakMemory();
    const qint64 exportMs = Milliseconds([&] { ExportRowSetToXls(all, target); });
    const double exportMb = PeakMemoryMb();
    std::printf("export of %d tickets: %lld ms, %.0f MB file, peak memory %.0f MB\n", all.recordCount(),
                static_cast<long long>(exportMs), QFileInfo(target).size() / 1048576.0, exportMb);
    Figure("export_ms", double(exportMs));
    Figure("export_peak_mb", exportMb);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.value(0) == QLatin1String("--one"))
        return RunOne(arguments.value(1).toInt());
    if (arguments.isEmpty())
        arguments = {QStringLiteral("200000"), QStringLiteral("1000000"), QStringLiteral("2000000")};

    std::vector<std::map<QByteArray, double>> figures;
    for (const QString &size : arguments) {
        std::printf("== %s tickets\n", qPrintable(size));
        std::fflush(stdout);
        QProcess one;
        one.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        one.start(QApplication::applicationFilePath(), {QStringLiteral("--one"), size});
        one.waitForFinished(-1);
        std::map<QByteArray, double> sized;
        for (const QByteArray &line : one.readAllStandardOutput().split('\n')) {
            if (!line.startsWith(kFigure))
                std::printf("%s\n", line.constData());
            else
                sized[line.mid(kFigure.size()).split(' ').value(0)] = line.split(' ').value(2).toDouble();
        }
        figures.push_back(sized);
    }

    std::printf("\n%-16s", "figure");
    for (const QString &size : arguments)
        std::printf(" %20s", qPrintable(size));
    std::printf("\n");
    for (const auto &[name, first] : figures.front()) {
        std::printf("%-16s", name.constData());
        for (const std::map<QByteArray, double> &sized : figures) {
            const double value = sized.count(name) ? sized.at(name) : -1;
            std::printf(" %11.0f (%5.2fx)", value, first > 0 ? value / first : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
