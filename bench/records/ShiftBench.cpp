// Times the 交班 report over a shift of 2,000 sales, on a file with a long
// history before it: the median of eleven runs against the 50 ms target.
#include "bench/support/BenchDataFile.h"
#include "bench/support/SalesHistory.h"
#include "data/shop/Shift.h"
#include "data/store/Session.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int history = argc > 1 ? std::atoi(argv[1]) : 50000;
    const int shiftSales = 2000;

    const BenchDataFile data;
    Session session;
    session.setConnectionString(data.path());
    GenerateSales(session, history + shiftSales, 5);
    // The shift before closed at the last of the history's tickets; the
    // shift's sales are paid in cash and WeChat.
    session.exec(QStringLiteral("insert into jbjl (班次, 结束, 备用金) select 1, 时间, 200 from xstj "
                                "order by 时间 limit 1 offset ?1"),
                 {history - 1});
    session.exec(QStringLiteral("insert into zfmx (单号, 方式, 金额) select 单号, case when 序号 % 3 = 0 then '微信' "
                                "else '现金' end, 折后 from xstj where 时间 > (select 结束 from jbjl)"));

    std::vector<qint64> runs;
    Shift::Report report;
    for (int run = 0; run < 11; ++run) {
        QElapsedTimer timer;
        timer.start();
        report = Shift::Current(session);
        runs.push_back(timer.elapsed());
    }
    std::sort(runs.begin(), runs.end());
    std::printf("shift report over %d sales (%d before them): median %lld ms (target under 50 ms)\n", report.tickets,
                history, static_cast<long long>(runs[runs.size() / 2]));
    return report.tickets == shiftSales ? 0 : 1;
}
