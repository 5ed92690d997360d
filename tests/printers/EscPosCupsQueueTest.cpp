#include "base/AppError.h"
#include "printers/EscPosPrinter.h"
#include "tests/printers/SampleReceipt.h"
#include "tests/support/CupsPdfPrinter.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <gtest/gtest.h>

namespace {

PrinterConf EscPosTo(const QString &target)
{
    PrinterConf conf;
    conf.kind = PrinterConf::Kind::EscPos;
    conf.target = target;
    conf.drawer = true;
    return conf;
}

} // namespace

// A raw queue of the private print system passes the job on through CUPS's
// own network backend to a virtual printer; it must get the very bytes a
// printer reached directly gets.
TEST(EscPosCupsQueue, RawQueuePassesOnTheBytesOfADirectPrinter)
{
    CupsPdfPrinter &cups = CupsPdfPrinter::Shared();
    const SampleReceipt receipt(20, 58);
    VirtualEscPosPrinter direct;
    EscPosPrinter(EscPosTo(direct.target())).print(receipt.report(), QStringLiteral("20261209181500"));
    EscPosPrinter(EscPosTo(direct.target())).saleFinished();

    VirtualEscPosPrinter behindCups;
    const QString queue = cups.addRawQueue(QStringLiteral("socket://127.0.0.1:%1").arg(behindCups.port()));
    EscPosPrinter(EscPosTo(QStringLiteral("cups://") + queue))
        .print(receipt.report(), QStringLiteral("20261209181500"));
    EscPosPrinter(EscPosTo(QStringLiteral("cups://") + queue)).saleFinished();

    const QByteArray sent = direct.received(2);
    EXPECT_GT(sent.size(), 10000);
    EXPECT_EQ(behindCups.received(2), sent);
}

TEST(EscPosCupsQueue, QueueThatDoesNotExistIsNamed)
{
    CupsPdfPrinter::Shared();
    try {
        EscPosPrinter(EscPosTo(QStringLiteral("cups://no-such-queue"))).saleFinished();
        ADD_FAILURE() << "a job for a missing queue was taken";
    } catch (const AppError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("no-such-queue"))) << error.message().toStdString();
    }
}
