#include "bench/support/BenchDataFile.h"
#include "checkout/Checkout.h"
#include "data/shop/SaleRecord.h"
#include "data/shop/SaleReturns.h"
#include "data/store/Session.h"
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

namespace {

constexpr int kRuns = 50;

double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A return of one of each of a sale's five lines, from 确定 in the return
// dialog: built, checked against the earlier returns, recorded in the data
// file and its 退货单 printed on the receipt printer (cash back: the drawer too).
void BenchReturns(EscPosPrinter &printer)
{
    const BenchDataFile data;
    Session session;
    session.setConnectionString(data.path());
    Sale sale;
    sale.number = QStringLiteral("20240501102030");
    sale.time = QStringLiteral("2024-05-01 10:20:30");
    for (int i = 1; i <= 5; ++i)
        sale.lines.push_back({QStringLiteral("商品%1").arg(i), 12.5, kRuns + 1, 12.5 * (kRuns + 1), 11 * (kRuns + 1)});
    RecordSale(session, sale);
    Checkout checkout(session, printer);
    const std::vector<QString> one(5, QStringLiteral("1"));
    std::vector<double> times;
    for (int run = 0; run <= kRuns; ++run) {
        const SaleReturns::Returnable left = SaleReturns::Find(session, sale.number);
        QElapsedTimer timer;
        timer.start();
        checkout.runReturn(SaleReturns::Build(session, left, one, PaymentMethod::Cash));
        if (run > 0) // the first warms up
            times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("return of 5 lines, recorded and its slip printed over TCP: median %.2f ms, slowest %.2f ms "
                "(target 20 ms, %d runs)\n",
                Median(times), *std::max_element(times.begin(), times.end()), kRuns);
}

} // namespace

// Renders a 20-line receipt and sends it to a network receipt printer on the
// loopback interface, many times over, and prints the median and the slowest
// time of one receipt at both printable widths; then times a return.
int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    InstallFontSubstitutes();
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
        const qsizetype bytes = device.received(kRuns + 1).size() / (kRuns + 1);
        std::printf("20-line receipt, %d dots, render and send over TCP: median %.2f ms, slowest %.2f ms "
                    "(%lld bytes a receipt, %d runs)\n",
                    dots, Median(times), *std::max_element(times.begin(), times.end()), static_cast<long long>(bytes),
                    kRuns);
        if (dots == kDots58mm)
            BenchReturns(printer);
    }
    return 0;
}
