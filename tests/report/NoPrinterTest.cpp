#include "base/AppError.h"
#include "report/DefaultPrinter.h"
#include "report/Report.h"

#include <gtest/gtest.h>

// With no print system reachable there is no default printer: printing says so
// in the program's words instead of failing silently.
TEST(ReportPrint, WithoutDefaultPrinterThrowsAClearMessage)
{
    // The printing library reads this once, at its first use in the process.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    Report report(QStringLiteral("QuickRep1"));
    report.addBand(ReportBand::Kind::Title, QStringLiteral("QRBand2"), 100)
        ->addLabel(QStringLiteral("QRLabel1"), QStringLiteral("收银员："), 0, 0, QFont());
    DefaultPrinter printer;
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            printer.print(report, QStringLiteral("20240102030405"));
            FAIL() << "printed without a printer";
        } catch (const AppError &error) {
            EXPECT_EQ(error.message(), QStringLiteral("没有设置默认打印机，请先在系统中设置默认打印机"));
        }
    }
}
