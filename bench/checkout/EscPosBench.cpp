#include "printers/EscPosPrinter.h"
#include "printers/PrinterConf.h"
#include "report/FontFaces.h"
#include "tests/printers/SampleReceipt.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

// Renders a 20-line receipt and sends it to a network receipt printer on the
// loopback interface, many times over, and prints the median and the slowest
// time of one receipt at both printable widths.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();
    constexpr int kRuns = 50;
    for (const int dots : {kDots58mm, kDots80mm}) {
        const SampleReceipt receipt(20, dots == kDots58mm ? 58 : 76);
        VirtualEscPosPrinter device;
        PrinterConf conf;
        conf.kind = PrinterConf::Kind::EscPos;
        conf.target = device.target();
        conf.dots = dots;
        EscPosPrinter printer(conf);
        printer.print(receipt.report(), QStringLiteral("warm-up"));

        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            QElapsedTimer timer;
            timer.start();
            printer.print(receipt.report(), QStringLiteral("bench"));
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        const qsizetype bytes = device.received(kRuns + 1).size() / (kRuns + 1);
        std::printf("20-line receipt, %d dots, render and send over TCP: median %.2f ms, slowest %.2f ms "
                    "(%lld bytes a receipt, %d runs)\n",
                    dots, times[times.size() / 2], times.back(), static_cast<long long>(bytes), kRuns);
    }
    return 0;
}
