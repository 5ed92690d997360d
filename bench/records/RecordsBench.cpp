// Times the records windows on a large file: the statistics window opened on
// every ticket, a month's date-span search (in the window and in the ledger),
// the day-end sums of a month, the chart's days of a year, and the detail of
// one ticket.
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

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

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

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int tickets = argc > 1 ? std::atoi(argv[1]) : 200000;
    const int linesPerTicket = 5;

    const BenchDataFile data;
    const QString dataFile = data.path();
    Session connection;
    connection.setConnectionString(dataFile);
    const qint64 generateMs = Milliseconds([&] { GenerateSales(connection, tickets, linesPerTicket); });
    connection.close();
    std::printf("generated %d tickets and %d lines in %lld ms\n", tickets, tickets * linesPerTicket,
                static_cast<long long>(generateMs));
    const double baseMb = PeakMemoryMb();

    // The windows share one session, as in the program.
    Session session;
    session.setConnectionString(dataFile);
    NoPrinter printer;
    SaleDetailWindow detail(session, printer);
    StatisticsWindow statistics(session, detail, printer);
    DataGrid *ticketGrid = statistics.findChild<DataGrid *>(QStringLiteral("DBGridEh1"));
    DataGrid *lineGrid = detail.findChild<DataGrid *>(QStringLiteral("DBGridEh1"));
    const RowSet &listed = *ticketGrid->rowSet();
    const qint64 readMs = Milliseconds([&] { statistics.reload(); });
    const qint64 showMs = Milliseconds([&] {
        statistics.show();
        QApplication::processEvents();
        ticketGrid->footerText(3); // the sums are part of what the window shows
    });
    std::printf(
        "statistics window with all %d tickets: %lld ms (target under 1000 ms): list read %lld ms, shown %lld ms\n",
        listed.recordCount(), static_cast<long long>(readMs + showMs), static_cast<long long>(readMs),
        static_cast<long long>(showMs));
    std::printf("peak memory: %.0f MB, %.0f MB before opening (target under 300 MB)\n", PeakMemoryMb(), baseMb);

    statistics.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->click();
    statistics.findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"))->setDate(QDate(2024, 3, 1));
    statistics.findChild<QDateEdit *>(QStringLiteral("DateTimePicker2"))->setDate(QDate(2024, 3, 31));
    auto *searchButton = statistics.findChild<QToolButton *>(QStringLiteral("SpeedButton4"));
    const qint64 spanMs = Milliseconds([&] {
        searchButton->click();
        QApplication::processEvents();
        ticketGrid->footerText(3);
    });
    std::printf("date span of one month, %d tickets: %lld ms (target under 100 ms)\n", listed.recordCount(),
                static_cast<long long>(spanMs));

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
    std::printf("ledger query of one month, %d tickets: %lld ms (target under 20 ms)\n", monthTickets.recordCount(),
                monthMs);
    DayEnd::Figures figures;
    const long long dayEndMs = best([&] { figures = DayEnd::Sum(session, month); });
    std::printf("day-end sums of one month, %d tickets, %d products: %lld ms (target under 200 ms)\n",
                figures.all.tickets, int(figures.products.size()), dayEndMs);
    std::vector<DayEnd::DaySales> days;
    const long long chartMs = best(
        [&] { days = DayEnd::SalesPerDay(session, TicketFilter::Between(QDate(2024, 1, 1), QDate(2024, 12, 31))); });
    std::printf("chart days of one year, %d days: %lld ms\n", int(days.size()), chartMs);

    // The session is open already: the first opening pays no connection.
    const int column = listed.columnIndex(QStringLiteral("单号"));
    for (const int row : {100, 5000}) {
        const QString number = listed.textAt(row, column);
        const qint64 detailMs = Milliseconds([&] {
            detail.showTicket(number);
            detail.show();
            QApplication::processEvents();
            lineGrid->footerText(5);
        });
        std::printf("detail of ticket %s, %d lines: %lld ms (target under 100 ms)%s\n", qPrintable(number),
                    lineGrid->rowSet()->recordCount(), static_cast<long long>(detailMs),
                    row == 100 ? ", first opening" : "");
    }
    std::printf("peak memory at the end: %.0f MB\n", PeakMemoryMb());
    return 0;
}
