#include "printers/PrinterSetupDialog.h"

#include "base/AppError.h"
#include "grid/Handlers.h"
#include "printers/EscPosPrinter.h"
#include "printers/EscPosTarget.h"
#include "printers/PaperWidthCheck.h"
#include "printers/PrinterDevice.h"
#include "printers/PrinterTestPage.h"
#include "report/Report.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <initializer_list>

namespace {

// Rows of the connection box, in the order of EscPosTarget::Kind.
const QStringList kConnections{QStringLiteral("USB 或串口设备文件"), QStringLiteral("网络打印机（IP 地址:端口）"),
                               QStringLiteral("系统打印机的原始队列")};
const QStringList kLocationHints{QStringLiteral("/dev/usb/lp0"), QStringLiteral("192.168.1.100:9100"),
                                 QStringLiteral("receipt")};
enum WidthRow { Width58, Width80, WidthCustom };

QString LocationText(const EscPosTarget &target)
{
    switch (target.kind) {
    case EscPosTarget::Kind::Network:
        return EscPosTargetText(target).mid(QStringLiteral("tcp://").size());
    case EscPosTarget::Kind::CupsQueue:
        return target.queue;
    case EscPosTarget::Kind::Device:
        break;
    }
    return target.device;
}

} // namespace

PrinterSetupDialog::PrinterSetupDialog(ReceiptPrinter &systemPrinter, const QString &shopName, QWidget *parent,
                                       const QString &confPath)
    : QDialog(parent)
    , m_systemPrinter(systemPrinter)
    , m_shopName(shopName)
    , m_confPath(confPath)
{
    setObjectName(QStringLiteral("PrinterSetupDialog"));
    setWindowTitle(QStringLiteral("打印机设置"));
    buildControls();
    PrinterConf conf;
    Dialogs::Guarded(this, [this, &conf] { conf = LoadPrinterConf(m_confPath); });
    showConf(conf);
}

void PrinterSetupDialog::buildControls()
{
    m_kindBox = new QComboBox(this);
    m_kindBox->setObjectName(QStringLiteral("kindBox"));
    m_kindBox->addItems({QStringLiteral("系统打印机"), QStringLiteral("ESC/POS 小票打印机")});
    m_connectionBox = new QComboBox(this);
    m_connectionBox->setObjectName(QStringLiteral("connectionBox"));
    m_connectionBox->addItems(kConnections);
    m_locationEdit = new QLineEdit(this);
    m_locationEdit->setObjectName(QStringLiteral("locationEdit"));
    m_widthBox = new QComboBox(this);
    m_widthBox->setObjectName(QStringLiteral("widthBox"));
    m_widthBox->addItems(
        {QStringLiteral("384 点（58 毫米纸）"), QStringLiteral("576 点（80 毫米纸）"), QStringLiteral("自定义")});
    m_dotsBox = new QSpinBox(this);
    m_dotsBox->setObjectName(QStringLiteral("dotsBox"));
    m_dotsBox->setRange(kMinDots, kMaxDots);
    m_dotsBox->setSingleStep(8);
    m_dotsBox->setSuffix(QStringLiteral(" 点"));
    m_cutBox = new QCheckBox(QStringLiteral("每张小票打印后切纸"), this);
    m_cutBox->setObjectName(QStringLiteral("cutBox"));
    m_drawerBox = new QCheckBox(QStringLiteral("每笔销售后打开钱箱"), this);
    m_drawerBox->setObjectName(QStringLiteral("drawerBox"));
    m_widthWarning = new QLabel(this);
    m_widthWarning->setObjectName(QStringLiteral("widthWarning"));
    m_widthWarning->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    m_widthWarning->setWordWrap(true);
    auto *testPageButton = new QPushButton(QStringLiteral("打印测试页"), this);
    testPageButton->setObjectName(QStringLiteral("testPageButton"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("打印机："), m_kindBox);
    form->addRow(QStringLiteral("连接方式："), m_connectionBox);
    form->addRow(QStringLiteral("位置："), m_locationEdit);
    form->addRow(QStringLiteral("打印宽度："), m_widthBox);
    form->addRow(QString(), m_dotsBox);
    form->addRow(QString(), m_cutBox);
    form->addRow(QString(), m_drawerBox);
    form->addRow(QString(), m_widthWarning);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(testPageButton);
    layout->addWidget(buttons);

    connect(m_kindBox, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::updateEnabled);
    connect(m_widthBox, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::updateEnabled);
    connect(m_connectionBox, &QComboBox::currentIndexChanged, this, &PrinterSetupDialog::updateEnabled);
    connect(m_dotsBox, &QSpinBox::valueChanged, this, &PrinterSetupDialog::updateEnabled);
    ConnectHandler(testPageButton, &QPushButton::clicked, this, &PrinterSetupDialog::printTestPage);
    ConnectHandler(buttons, &QDialogButtonBox::accepted, this, &PrinterSetupDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PrinterSetupDialog::showConf(const PrinterConf &conf)
{
    m_kindBox->setCurrentIndex(conf.kind == PrinterConf::Kind::EscPos ? 1 : 0);
    try {
        const EscPosTarget target = ParseEscPosTarget(conf.target);
        m_connectionBox->setCurrentIndex(int(target.kind));
        m_locationEdit->setText(LocationText(target));
    } catch (const AppError &) {
        // No location yet, or one typed by hand that the set-up shows for mending.
        m_locationEdit->setText(conf.target);
    }
    m_widthBox->setCurrentIndex(conf.dots == kDots58mm ? Width58 : conf.dots == kDots80mm ? Width80 : WidthCustom);
    m_dotsBox->setValue(conf.dots);
    m_cutBox->setChecked(conf.cut);
    m_drawerBox->setChecked(conf.drawer);
    updateEnabled();
}

void PrinterSetupDialog::updateEnabled()
{
    const bool escPos = m_kindBox->currentIndex() == 1;
    for (QWidget *control :
         std::initializer_list<QWidget *>{m_connectionBox, m_locationEdit, m_widthBox, m_cutBox, m_drawerBox})
        control->setEnabled(escPos);
    m_dotsBox->setEnabled(escPos && m_widthBox->currentIndex() == WidthCustom);
    if (m_widthBox->currentIndex() == Width58)
        m_dotsBox->setValue(kDots58mm);
    else if (m_widthBox->currentIndex() == Width80)
        m_dotsBox->setValue(kDots80mm);
    m_locationEdit->setPlaceholderText(kLocationHints.value(m_connectionBox->currentIndex()));
    PrinterConf shown;
    shown.kind = escPos ? PrinterConf::Kind::EscPos : PrinterConf::Kind::System;
    shown.dots = m_dotsBox->value();
    m_widthWarning->setText(PaperWidthWarning(shown, m_templateWidth));
    m_widthWarning->setVisible(!m_widthWarning->text().isEmpty());
}

void PrinterSetupDialog::setTemplateWidth(const QString &paperWidth)
{
    m_templateWidth = paperWidth;
    updateEnabled();
}

PrinterConf PrinterSetupDialog::chosenConf() const
{
    PrinterConf conf;
    conf.kind = m_kindBox->currentIndex() == 1 ? PrinterConf::Kind::EscPos : PrinterConf::Kind::System;
    conf.dots = m_dotsBox->value();
    conf.cut = m_cutBox->isChecked();
    conf.drawer = m_drawerBox->isChecked();
    const QString location = m_locationEdit->text().trimmed();
    static const QStringList prefixes{QString(), QStringLiteral("tcp://"), QStringLiteral("cups://")};
    const QString typed = prefixes.value(m_connectionBox->currentIndex()) + location;
    // The system printer keeps a location for later, whatever it holds.
    if (conf.kind == PrinterConf::Kind::System && location.isEmpty())
        return conf;
    try {
        const EscPosTarget target = ParseEscPosTarget(typed);
        if (conf.kind == PrinterConf::Kind::EscPos && target.kind == EscPosTarget::Kind::Device)
            CheckPrinterDevice(target.device);
        conf.target = EscPosTargetText(target);
    } catch (const AppError &) {
        if (conf.kind == PrinterConf::Kind::EscPos)
            throw;
        conf.target = location;
    }
    return conf;
}

void PrinterSetupDialog::saveAndClose()
{
    const PrinterConf conf = chosenConf();
    SavePrinterConf(m_confPath, conf);
    accept();
}

void PrinterSetupDialog::printTestPage()
{
    const PrinterConf conf = chosenConf();
    const std::unique_ptr<Report> page = BuildPrinterTestPage(m_shopName, conf.dots);
    if (conf.kind == PrinterConf::Kind::EscPos)
        EscPosPrinter(conf).print(*page, page->objectName());
    else
        m_systemPrinter.print(*page, page->objectName());
}
