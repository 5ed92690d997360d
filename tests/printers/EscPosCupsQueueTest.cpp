#include "base/AppError.h"
#include "printers/EscPosPrinter.h"
#include "tests/printers/SampleReceipt.h"
#include "tests/support/CupsPdfPrinter.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <gtest/gtest.h>

namespace {

// A sale of one receipt with the drawer opened, sent to a printer.
void Sell(const QString &target, const SampleReceipt &receipt)
{
    EscPosPrinter printer({.kind = PrinterConf::Kind::EscPos, .target = target, .drawer = true});
    printer.print(receipt.report(), QStringLiteral("20261209181500"));
    printer.saleFinished();
}

} // namespace

// A raw queue of the private print system passes the job on through CUPS's
// own network backend to a virtual printer; it must get the very bytes a
// printer reached directly gets. A queue that does not exist is named.
TEST(EscPosCupsQueue, RawQueuePassesOnTheBytesOfADirectPrinter)
{
    const SampleReceipt receipt(20, 58);
    VirtualEscPosPrinter direct;
    Sell(direct.target(), receipt);
    VirtualEscPosPrinter behindCups;
    Sell(QStringLiteral("cups://")
             + CupsPdfPrinter::Shared().addRawQueue(QStringLiteral("socket://127.0.0.1:%1").arg(behindCups.port())),
         receipt);

    const QByteArray sent = direct.received(2);
    EXPECT_GT(sent.size(), 10000);
    EXPECT_EQ(behindCups.received(2), sent);

    try {
        Sell(QStringLiteral("cups://no-such-queue"), receipt);
        ADD_FAILURE() << "a job for a missing queue was taken";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("no-such-queue"))) << error.message().toStdString();
    }
}
