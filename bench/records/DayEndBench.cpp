// Times the day-end report over one busy day: its sums and the report built
// and laid out for the paper, the median of several runs.
#include "bench/support/BenchDataFile.h"
#include "bench/support/SalesHistory.h"
#include "data/shop/DayEnd.h"
#include "data/store/Session.h"
#include "records/DayEndReport.h"
#include "report/Report.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // the report measures its texts
    const int tickets = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int products = 200;
    const QDate day(2026, 12, 9);

    const BenchDataFile data;
    Session session;
    session.setConnectionString(data.path());
    GenerateDay(session, day, tickets, products);

    const TicketFilter span = TicketFilter::Between(day, day);
    std::vector<qint64> runs;
    int shownProducts = 0;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        const DayEnd::Figures figures = DayEnd::Sum(session, span);
        const auto report = BuildDayEndReport(figures, span, QDateTime::currentDateTime(), QStringLiteral("76"));
        shownProducts = int(figures.products.size());
        runs.push_back(timer.elapsed());
    }
    std::nth_element(runs.begin(), runs.begin() + long(runs.size() / 2), runs.end());
    std::printf("day-end of one day, %d tickets, %d products: median %lld ms (target under 100 ms)\n", tickets,
                shownProducts, static_cast<long long>(runs[runs.size() / 2]));
    return 0;
}
