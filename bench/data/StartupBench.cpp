// Times the program's start: from process start until the main window has been
// shown and painted, on an empty data file and on one holding years of sales
// (200,000 tickets, 1,000,000 sold lines, 5,000 products), against a bare Qt
// window of the same size with as many Chinese labels. Each start runs in a
// fresh child process of this program.
#include "app/Application.h"
#include "app/Translations.h"
#include "base/AppError.h"
#include "bench/support/SalesHistory.h"
#include "counter/CounterWindow.h"
#include "data/store/DataFile.h"
#include "data/store/Session.h"
#include "report/FontFaces.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>
#include <utility>
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

constexpr int kLabels = 60;

// The start the program makes, in the current directory, then the first paint.
int StartOnce(int argc, char **argv)
{
    DataFile::ResolveAtStartup();
    Session session;
    try {
        session.holdFile();
    } catch (const DataError &) {
        return 1;
    }
    session.beginOpening();
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    InstallChineseTranslations(app);
    Application program(session);
    program.counter().show();
    program.counter().repaint();
    QApplication::processEvents();
    std::printf("%.1f\n", SinceProcessStart());
    return 0;
}

// What any Qt program of the counter's size pays: a bare window of 984 x 682
// with as many Chinese labels as the counter shows.
int StartBare(int argc, char **argv)
{
    QApplication app(argc, argv);
    InstallFontSubstitutes();
    QWidget window;
    window.setFixedSize(984, 682);
    window.setFont(QFont(QStringLiteral("宋体")));
    for (int i = 0; i < kLabels; ++i)
        (new QLabel(QStringLiteral("标签文字%1").arg(i), &window))->move(16 + (i % 6) * 160, 16 + (i / 6) * 60);
    window.show();
    window.repaint();
    QApplication::processEvents();
    std::printf("%.1f\n", SinceProcessStart());
    return 0;
}

double MedianStart(const QString &program, const QString &dir, int runs, const QString &mode)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setWorkingDirectory(dir);
        child.start(program, {mode});
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
    if (argc > 1 && qstrcmp(argv[1], "--bare") == 0)
        return StartBare(argc, argv);

    QCoreApplication app(argc, argv);
    const int runs = 7;
    QTemporaryDir empty, large;
    for (const QTemporaryDir *dir : {&empty, &large})
        DataFile::EnsureUsable(QDir(dir->path()).filePath(QStringLiteral("data.mdb")));
    {
        QElapsedTimer timer;
        timer.start();
        Session connection;
        connection.setConnectionString(QDir(large.path()).filePath(QStringLiteral("data.mdb")));
        GenerateSales(connection, 200000, 5);
        GenerateProducts(connection, 5000);
        std::printf("generated 200000 tickets, 1000000 lines, 5000 products in %lld ms\n",
                    static_cast<long long>(timer.elapsed()));
    }
    const QString program = QCoreApplication::applicationFilePath();
    const QString start = QStringLiteral("--start");
    const double bareMs = MedianStart(program, empty.path(), runs, QStringLiteral("--bare"));
    const double emptyMs = MedianStart(program, empty.path(), runs, start);
    const double largeMs = MedianStart(program, large.path(), runs, start);
    std::printf("start to window shown (median of %d): bare Qt window with %d labels %.0f ms\n", runs, kLabels, bareMs);
    for (const auto &[what, ms] : {std::pair{"empty", emptyMs}, std::pair{"large", largeMs}})
        std::printf("  program on the %s data file: %.0f ms, %.2f x the bare window (target at most 2): %s\n", what, ms,
                    ms / bareMs, ms <= 2 * bareMs ? "met" : "MISSED");
    return 0;
}
