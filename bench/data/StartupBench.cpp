// Times the program's start: from process start until the main window has been
// shown and painted, on an empty data file and on one holding years of sales
// (200,000 tickets, 1,000,000 sold lines, 5,000 products). Each start runs in a
// fresh child process of this program.
#include "grid/Dialogs.h"
#include "app/Windows.h"
#include "bench/support/SalesHistory.h"
#include "counter/MainUnit.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "report/FontFaces.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

// Milliseconds since this process started, from /proc/self/stat.
double SinceProcessStart()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    stat.open(QIODevice::ReadOnly);
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    const double startTicks = fields.at(19).toDouble(); // field 22 of the line
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = boot.tv_sec * 1000.0 + boot.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// The start the program makes, in the current directory, then the first paint.
int StartOnce(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    DataFile::ResolveAtStartup();
    Dialogs::Guarded(nullptr, [] { DataFile::EnsureUsable(DataFile::Path()); });
    CreateWindows();
    MainForm->show();
    MainForm->repaint();
    QApplication::processEvents();
    std::printf("%.1f\n", SinceProcessStart());
    DestroyWindows();
    return 0;
}

double MedianStart(const QString &program, const QString &dir, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setWorkingDirectory(dir);
        child.start(program, {QStringLiteral("--start")});
        child.waitForFinished(60000);
        times.push_back(child.readAllStandardOutput().trimmed().toDouble());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--start") == 0)
        return StartOnce(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = 7;
    QTemporaryDir empty, large;
    for (const QTemporaryDir *dir : {&empty, &large})
        DataFile::EnsureUsable(QDir(dir->path()).filePath(QStringLiteral("data.mdb")));
    {
        QElapsedTimer timer;
        timer.start();
        Connection connection;
        connection.setConnectionString(QDir(large.path()).filePath(QStringLiteral("data.mdb")));
        GenerateSales(connection, 200000, 5);
        GenerateProducts(connection, 5000);
        std::printf("generated 200000 tickets, 1000000 lines, 5000 products in %lld ms\n",
                    static_cast<long long>(timer.elapsed()));
    }
    const QString program = QCoreApplication::applicationFilePath();
    const double emptyMs = MedianStart(program, empty.path(), runs);
    const double largeMs = MedianStart(program, large.path(), runs);
    std::printf("start to main window shown (median of %d): empty %.0f ms, large %.0f ms, ratio %.2f (target at most 1.20)\n",
                runs, emptyMs, largeMs, largeMs / emptyMs);
    return 0;
}
