#include "printers/EscPosPrinter.h"
#include "base/AppError.h"
#include "printers/EscPosEncoder.h"
#include "printers/EscPosRaster.h"
#include "printers/EscPosTarget.h"
#include "printers/PrinterConf.h"
#include "tests/printers/EscPosDecoder.h"
#include "tests/printers/SampleReceipt.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

PrinterConf EscPosConf(const QString &target, int dots, bool cut, bool drawer)
{
    return {.kind = PrinterConf::Kind::EscPos, .target = target, .dots = dots, .cut = cut, .drawer = drawer};
}

} // namespace

// A sale of two copies, one connection a job: the receipt's very image twice,
// in blocks the printer takes, each fed and cut as set, then one drawer pulse
// when the drawer is on.
TEST(EscPosPrinter, SaleOfTwoCopiesArrivesAsTheSameImageTwiceCutAndOpenedAsSet)
{
    for (const auto &[dots, cut, drawer] :
         {std::tuple{kDots58mm, true, true}, std::tuple{kDots80mm, true, true}, std::tuple{kDots58mm, false, false}}) {
        SCOPED_TRACE(std::to_string(dots) + (cut ? " cut" : "") + (drawer ? " drawer" : ""));
        const SampleReceipt receipt(20, dots == kDots58mm ? 58 : 76);
        VirtualEscPosPrinter device; // found by name
        EscPosPrinter printer(EscPosConf(QStringLiteral("tcp://localhost:%1").arg(device.port()), dots, cut, drawer));
        printer.print(receipt.report(), QStringLiteral("20261209181500"));
        printer.print(receipt.report(), QStringLiteral("20261209181500"));
        printer.saleFinished();

        const int jobs = drawer ? 3 : 2;
        const DecodedEscPos decoded = DecodeEscPos(device.received(jobs));
        EXPECT_EQ(device.connections(), jobs);
        const QImage expected = RenderReceiptRaster(receipt.report(), dots);
        ASSERT_EQ(decoded.images.size(), 2u);
        for (const QImage &piece : decoded.images)
            EXPECT_TRUE(SamePixels(piece, expected));
        EXPECT_LE(decoded.tallestBlock, EscPos::kMaxRowsPerBlock);
        EXPECT_GT(expected.height(), EscPos::kMaxRowsPerBlock); // the limit was put to the test
        const qsizetype blocks = decoded.count('v') / 2;
        const QString piece = QStringLiteral("@") + QString(blocks, u'v')
            + (cut ? QStringLiteral("dV") : QStringLiteral("d"));
        EXPECT_EQ(decoded.commands, piece + piece + (drawer ? QStringLiteral("@p") : QString()));
    }
}

// GS v 0, mode 0, bytes per row, 2 rows, then the rows: a row that ends
// within a byte is padded with white, a row of whole bytes keeps its last.
TEST(EscPosEncoder, RowsArePaddedWithWhiteToWholeBytes)
{
    for (const auto &[width, bytes] :
         {std::pair{12, "1d 76 30 00 02 00 02 00 ff f0 ff f0"}, std::pair{16, "1d 76 30 00 02 00 02 00 ff ff ff ff"}}) {
        QImage black(width, 2, QImage::Format_Mono);
        black.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        black.fill(1);
        EXPECT_EQ(EscPos::RasterImage(black).toHex(' '), QByteArray(bytes)) << width;
    }
}

TEST(PrinterConf, SavedSettingsReadBackTheSame)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("salescounter/printer.conf"));
    EXPECT_EQ(LoadPrinterConf(path), PrinterConf{}); // no file: the system printer
    for (const PrinterConf &conf : {EscPosConf(QStringLiteral("/dev/usb/lp0"), 576, false, true),
                                    EscPosConf(QStringLiteral("tcp://[fe80::1]:9100"), 384, true, false),
                                    EscPosConf(QStringLiteral("cups://小票"), 512, true, true)}) {
        SavePrinterConf(path, conf);
        EXPECT_EQ(LoadPrinterConf(path), conf);
    }

    const auto write = [&path](const char *text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    write("[printer]\nkind=escpos\ntarget=tcp://10.0.0.9\ndots=576\ncut=false\n");
    EXPECT_EQ(LoadPrinterConf(path), EscPosConf(QStringLiteral("tcp://10.0.0.9"), 576, false, false));

    // Refused, naming the file and what it cannot use: a value, or a line it
    // cannot read (garbage, a misspelled group or key), never taken for "no file".
    const std::pair<const char *, const char *> broken[] = {
        {"[printer]\nkind=laser\n", "kind=laser"},
        {"[printer]\ndots=12\n", "dots=12"},
        {"[printer]\ncut=maybe\n", "cut=maybe"},
        {"\x7f\x45LF\x02\x01\x01 garbage\n", "第 1 行"},
        {"; set up by hand\n[printr]\nkind=escpos\n", "第 2 行"},
        {"[printer]\nKind=escpos\n", "第 2 行"},
        {"[printer]\nkind=escpos\n\ntarget /dev/usb/lp0\n", "第 4 行"},
        {"kind=escpos\n", "第 1 行"}};
    for (const auto &[text, named] : broken) {
        write(text);
        try {
            LoadPrinterConf(path);
            ADD_FAILURE() << text << " was read";
        } catch (const AppError &error) {
            EXPECT_TRUE(error.message().contains(path) && error.message().contains(QString::fromUtf8(named)))
                << error.message().toStdString();
        }
    }
}

TEST(EscPosTarget, ThreeFormsAndNothingElse)
{
    // Read back as written, the network port filled in.
    for (const auto &[text, written] : {std::pair{"tcp://192.168.1.50", "tcp://192.168.1.50:9100"},
                                        {"tcp://[::1]:9101", "tcp://[::1]:9101"},
                                        {"cups://receipt", "cups://receipt"},
                                        {"/dev/usb/lp0", "/dev/usb/lp0"}})
        EXPECT_EQ(EscPosTargetText(ParseEscPosTarget(QString::fromUtf8(text))), QString::fromUtf8(written));
    for (const char *bad : {"", "lp0", "tcp://", "tcp://host:0", "tcp://host:70000", "tcp://host:x", "tcp://::1",
                            "cups://", "http://printer"})
        EXPECT_THROW(ParseEscPosTarget(QString::fromUtf8(bad)), AppError) << bad;
}
