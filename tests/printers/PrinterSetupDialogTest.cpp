#include "printers/PrinterSetupDialog.h"
#include "printers/ReceiptPrinter.h"
#include "tests/printers/EscPosDecoder.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/VirtualEscPosPrinter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Stands for the system printer: counts the pages that reach it.
struct CountingPrinter : ReceiptPrinter
{
    void print(const Report &, const QString &) override { ++pages; }
    int pages = 0;
};

void ChooseEscPos(PrinterSetupDialog &dialog, int connection, const QString &location, int widthRow)
{
    Find<QComboBox>(dialog, "kindBox")->setCurrentIndex(1);
    Find<QComboBox>(dialog, "connectionBox")->setCurrentIndex(connection);
    Find<QLineEdit>(dialog, "locationEdit")->setText(location);
    Find<QComboBox>(dialog, "widthBox")->setCurrentIndex(widthRow);
}

void ClickOk(PrinterSetupDialog &dialog)
{
    Find<QDialogButtonBox>(dialog, "buttons")->button(QDialogButtonBox::Ok)->click();
}

} // namespace

TEST(PrinterSetupDialog, SavedChoiceIsWrittenAndShownAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("salescounter/printer.conf"));
    CountingPrinter system;
    PrinterSetupDialog dialog(system, QStringLiteral("幸福便利店"), nullptr, path);
    EXPECT_EQ(Find<QComboBox>(dialog, "kindBox")->currentIndex(), 0); // no file: the system printer
    ChooseEscPos(dialog, 1, QStringLiteral("192.168.1.80"), 2);
    Find<QSpinBox>(dialog, "dotsBox")->setValue(512);
    Find<QCheckBox>(dialog, "cutBox")->setChecked(false);
    Find<QCheckBox>(dialog, "drawerBox")->setChecked(true);
    ClickOk(dialog);

    const PrinterConf expected{.kind = PrinterConf::Kind::EscPos,
                               .target = QStringLiteral("tcp://192.168.1.80:9100"),
                               .dots = 512,
                               .cut = false,
                               .drawer = true};
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(LoadPrinterConf(path), expected);

    const PrinterSetupDialog again(system, QString(), nullptr, path);
    EXPECT_EQ(again.chosenConf(), expected);
}

// A location that names no printer, or a file that is no device, is refused:
// nothing saved, nothing printed on it.
TEST(PrinterSetupDialog, LocationThatNamesNoPrinterIsRefusedAndNothingSaved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("printer.conf"));
    const QString dataFile = dir.filePath(QStringLiteral("data.mdb"));
    QFile(dataFile).open(QIODevice::WriteOnly);
    CountingPrinter system;
    for (const auto &[location, refusal] : {std::pair{QStringLiteral("usb/lp0"), QStringLiteral("无法识别打印机位置")},
                                            std::pair{dataFile, QStringLiteral("普通文件")}}) {
        SCOPED_TRACE(location.toStdString());
        RecordingResponder responder;
        PrinterSetupDialog dialog(system, QString(), nullptr, path);
        ChooseEscPos(dialog, 0, location, 0);
        Find<QPushButton>(dialog, "testPageButton")->click();
        ClickOk(dialog);

        ASSERT_EQ(responder.texts().size(), 2u);
        for (const QString &text : responder.texts())
            EXPECT_TRUE(text.contains(refusal)) << text.toStdString();
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(QFileInfo::exists(path));
    }
}

TEST(PrinterSetupDialog, TestPageGoesToThePrinterAsChosen)
{
    QTemporaryDir dir;
    CountingPrinter system;
    VirtualEscPosPrinter device;
    PrinterSetupDialog dialog(system, QStringLiteral("幸福便利店"), nullptr,
                              dir.filePath(QStringLiteral("printer.conf")));
    ChooseEscPos(dialog, 1, device.target().mid(6), 1);
    Find<QPushButton>(dialog, "testPageButton")->click();

    const DecodedEscPos decoded = DecodeEscPos(device.received(1));
    ASSERT_EQ(decoded.images.size(), 1u);
    EXPECT_EQ(decoded.images[0].width(), 576);
    EXPECT_TRUE(decoded.commands.endsWith(QStringLiteral("dV")));
    EXPECT_EQ(system.pages, 0);

    Find<QComboBox>(dialog, "kindBox")->setCurrentIndex(0);
    Find<QPushButton>(dialog, "testPageButton")->click();
    EXPECT_EQ(system.pages, 1);
}

// An ESC/POS printer whose paper does not fit the counter's receipt template
// is warned of, as the choice changes.
TEST(PrinterSetupDialog, WarnsOfPaperThatDoesNotFitTheTemplate)
{
    QTemporaryDir dir;
    CountingPrinter system;
    PrinterSetupDialog dialog(system, QString(), nullptr, dir.filePath(QStringLiteral("printer.conf")));
    const struct
    {
        const char *templateWidth;
        int kind; // 0 the system printer, 1 ESC/POS
        int widthRow; // 0 384 dots, 1 576 dots
        bool warns;
    } cases[] = {{"58", 1, 0, false}, {"58", 1, 1, true},  {"76", 1, 0, true},
                 {"76", 1, 1, false}, {"76", 0, 0, false}, {"80", 1, 0, false}};
    for (const auto &c : cases) {
        dialog.setTemplateWidth(QString::fromUtf8(c.templateWidth));
        Find<QComboBox>(dialog, "kindBox")->setCurrentIndex(c.kind);
        Find<QComboBox>(dialog, "widthBox")->setCurrentIndex(c.widthRow);
        EXPECT_EQ(!Find<QLabel>(dialog, "widthWarning")->isHidden(), c.warns)
            << c.templateWidth << " " << c.kind << " " << c.widthRow;
    }
}
