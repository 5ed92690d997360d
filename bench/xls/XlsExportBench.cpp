// Times the export of a long ticket list to a workbook: fills a temporary
// data file with tickets, lists them as the statistics window does, exports.
#include "bench/support/BenchDataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "records/TicketExport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int count = argc > 1 ? std::atoi(argv[1]) : 200000;
    const BenchDataFile data;
    const QString dataFile = data.path();

    Session connection;
    connection.setConnectionString(dataFile);
    connection.exec(
        QStringLiteral(
            "with recursive n(i) as (select 1 union all select i + 1 from n where i < ?1) "
            "insert into xstj (单号, 时间, 数量, 金额, 折后, 收银员) "
            "select printf('%014d', 20240000000000 + i), '2024-03-04 05:06:07', i % 17, i * 1.37, i * 1.2345, "
            "'收银员' || (i % 10) from n"),
        {count});

    QElapsedTimer timer;
    timer.start();
    RowSet list(connection);
    list.setStatement(QStringLiteral("select * from xstj order by 单号 asc"));
    list.open();
    const qint64 openMs = timer.restart();

    const QString target = QFileInfo(dataFile).dir().filePath(QStringLiteral("export.xls"));
    int progressCalls = 0;
    ExportRowSetToXls(list, target, [&progressCalls](int, int) {
        ++progressCalls;
        return true;
    });
    const qint64 exportMs = timer.elapsed();

    std::printf("tickets: %d\n", list.recordCount());
    std::printf("list opened in %lld ms\n", static_cast<long long>(openMs));
    std::printf("export: %lld ms (target under 2000 ms), file %.1f MB, %d progress calls\n",
                static_cast<long long>(exportMs), QFileInfo(target).size() / 1048576.0, progressCalls);
    return 0;
}
