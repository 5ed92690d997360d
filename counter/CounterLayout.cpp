#include "counter/CounterWindow.h"

#include "grid/DataGrid.h"
#include "maintenance/WebAddresses.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor kCaptionBlue(0, 0, 255);
// The totals' size, and the least they shrink to when long.
constexpr int kTotalPixels = 21;
constexpr int kSmallestTotalPixels = 8;

QFont face(const char *family, int pixels, bool bold = false)
{
    QFont font(QString::fromUtf8(family));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <typename Widget>
Widget *place(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

QLabel *caption(QWidget *parent, const char *name, const char *text, int left, int top)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLabel *picture(QWidget *parent, const char *name, const char *resource, int left, int top, int width, int height)
{
    auto *label = place<QLabel>(parent, name, left, top, width, height);
    label->setPixmap(QPixmap(QString::fromUtf8(resource)));
    label->setScaledContents(true);
    return label;
}

QToolButton *speedButton(QWidget *parent, const char *name, const char *text, const char *icon, int left, int top,
                         int width, int height)
{
    auto *button = place<QToolButton>(parent, name, left, top, width, height);
    button->setText(QString::fromUtf8(text));
    button->setAutoRaise(true);
    if (icon) {
        button->setIcon(QIcon(QString::fromUtf8(icon)));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setCursor(Qt::PointingHandCursor);
    }
    return button;
}

QComboBox *dropDown(QWidget *parent, const char *name, int left, int top, int width, int height,
                    const QStringList &items = {})
{
    auto *box = place<QComboBox>(parent, name, left, top, width, height);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1);
    return box;
}

// Read-only output: button-face background, blue text.
void makeOutput(QLineEdit *edit)
{
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    palette.setColor(QPalette::Text, kCaptionBlue);
    edit->setPalette(palette);
}

} // namespace

void CounterWindow::buildLayout()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(984, 682);
    setFont(face("宋体", 15));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    // Output and disabled fields keep the button-face background.
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; } "
                                 "QLineEdit:read-only, QLineEdit:disabled { background: palette(button); }"));

    // Header
    m_banner = picture(this, "Image1", ":/assets/banner.jpg", 0, 0, 984, 66);
    m_minimiseImage = picture(this, "Image2", ":/assets/minimise.png", 940, 3, 19, 19);
    m_minimiseImage->setToolTip(QStringLiteral("最小化"));
    m_minimiseImage->setCursor(Qt::PointingHandCursor);
    m_closeImage = picture(this, "Image3", ":/assets/close.png", 960, 3, 19, 19);
    m_closeImage->setToolTip(QStringLiteral("关闭"));
    m_closeImage->setCursor(Qt::PointingHandCursor);
    m_optionsButton = speedButton(this, "SpeedButton1", "选项", ":/assets/options.png", 48, 72, 89, 49);
    m_optionsButton->setFont(face("微软雅黑", 15, true));
    caption(this, "Label2", "店名：", 224, 90);
    m_shopNameEdit = place<QLineEdit>(this, "Edit1", 272, 88, 289, 21);
    caption(this, "Label3", "单号：", 48, 130);
    m_ticketNumberEdit = place<QLineEdit>(this, "Edit2", 96, 128, 273, 21);
    m_manualTimeCheck = place<QCheckBox>(this, "CheckBox1", 389, 130, 65, 17);
    m_manualTimeCheck->setText(QStringLiteral("时间："));
    m_ticketTimeEdit = place<QLineEdit>(this, "Edit3", 456, 128, 305, 21);
    m_ticketTimeEdit->setEnabled(false);
    m_customerCheck = place<QCheckBox>(this, "CheckBox2", 29, 162, 65, 17);
    m_customerCheck->setText(QStringLiteral("客户："));
    m_customerCheck->setChecked(true);
    m_customerEdit = place<QLineEdit>(this, "Edit4", 96, 160, 273, 21);
    caption(this, "Label4", "电话：", 408, 162);
    m_phoneEdit = place<QLineEdit>(this, "Edit5", 456, 160, 305, 21);
    caption(this, "Label5", "地址：", 48, 194);
    m_addressEdit = place<QLineEdit>(this, "Edit6", 96, 192, 665, 21);
    picture(this, "Image4", ":/assets/square.jpg", 832, 80, 105, 105);
    QLabel *follow = caption(this, "Label1", "微信扫码关注", 838, 190);
    follow->setFont(face("微软雅黑", 15, true));
    follow->adjustSize();
    follow->setStyleSheet(QStringLiteral("color: blue;"));
    auto *rule = place<QFrame>(this, "Panel2", 0, 217, 982, 2);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    // Line entry
    caption(this, "Label6", "品名：", 48, 226);
    m_productBox = dropDown(this, "ComboBox1", 96, 224, 273, 23);
    caption(this, "Label7", "单价：", 408, 226);
    m_priceEdit = place<QLineEdit>(this, "Edit7", 456, 224, 121, 21);
    caption(this, "Label8", "数量：", 616, 226);
    m_quantityEdit = place<QLineEdit>(this, "Edit8", 664, 224, 97, 21);
    m_quantityEdit->setText(QStringLiteral("1"));
    caption(this, "Label9", "折扣：", 784, 226);
    m_discountBox = dropDown(this, "ComboBox2", 832, 224, 57, 23);
    m_discountBox->setMaxVisibleItems(20);
    m_discountBox->setEditText(QStringLiteral("10"));
    m_dropFractionButton = speedButton(this, "SpeedButton2", "抹零", nullptr, 888, 224, 41, 22);
    m_dropFractionButton->setAutoRaise(false);
    caption(this, "Label10", "金额：", 616, 258);
    m_amountEdit = place<QLineEdit>(this, "Edit9", 664, 256, 97, 21);
    makeOutput(m_amountEdit);
    caption(this, "Label11", "折后：", 784, 258);
    m_discountedEdit = place<QLineEdit>(this, "Edit10", 832, 256, 97, 21);
    makeOutput(m_discountedEdit);

    // Lines
    m_addButton = speedButton(this, "SpeedButton3", " 添加", ":/assets/add.png", 96, 258, 105, 25);
    m_modifyButton = speedButton(this, "SpeedButton4", " 修改", ":/assets/modify.png", 288, 258, 105, 25);
    m_modifyButton->setEnabled(false);
    m_deleteButton = speedButton(this, "SpeedButton5", " 删除", ":/assets/delete.png", 480, 258, 97, 25);
    m_deleteButton->setEnabled(false);
    m_linesGrid = new DataGrid(this);
    m_linesGrid->setObjectName(QStringLiteral("DBGridEh1"));
    m_linesGrid->setGeometry(24, 296, 737, 217);
    auto *totals = place<QFrame>(this, "Panel1", 376, 520, 385, 57);
    totals->setFrameShape(QFrame::Panel);
    totals->setFrameShadow(QFrame::Sunken);
    QLabel *totalCaption = caption(totals, "Label17", "合计：", 16, 13);
    totalCaption->setFont(face("微软雅黑", 24, true));
    totalCaption->adjustSize();
    m_totalQuantityLabel = place<QLabel>(totals, "Label18", 104, 16, 60, 32);
    m_totalAmountLabel = place<QLabel>(totals, "Label19", 168, 16, 92, 32);
    m_totalDiscountedLabel = place<QLabel>(totals, "Label20", 264, 16, 115, 32);
    for (QLabel *total : {m_totalQuantityLabel, m_totalAmountLabel, m_totalDiscountedLabel}) {
        total->setStyleSheet(QStringLiteral("color: blue;"));
        total->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        total->setText(QStringLiteral("0"));
    }
    fitTotals();

    // Payment
    caption(this, "Label12", "收银员：", 776, 314);
    m_cashierEdit = place<QLineEdit>(this, "Edit11", 840, 312, 121, 21);
    caption(this, "Label13", "应付：", 792, 346);
    m_payableEdit = place<QLineEdit>(this, "Edit12", 840, 344, 121, 21);
    makeOutput(m_payableEdit);
    caption(this, "Label14", "支付：", 792, 378);
    m_paidBox = dropDown(this, "ComboBox3", 840, 376, 121, 23,
                         {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("20"), QStringLiteral("10"),
                          QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("500")});
    m_paidBox->setStyleSheet(QStringLiteral("QComboBox { color: blue; font-weight: bold; }"));
    caption(this, "Label15", "找零：", 792, 410);
    m_changeEdit = place<QLineEdit>(this, "Edit13", 840, 408, 121, 21);
    makeOutput(m_changeEdit);
    for (QLineEdit *bold : {m_payableEdit, m_changeEdit}) {
        QFont font = bold->font();
        font.setBold(true);
        bold->setFont(font);
    }

    // Bottom
    caption(this, "Label16", "备注：", 32, 528);
    m_remarkEdit = place<QPlainTextEdit>(this, "Memo1", 80, 520, 281, 129);
    m_remarkEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    caption(this, "Label21", "POS选择：", 384, 594);
    m_paperWidthBox = dropDown(this, "ComboBox4", 456, 592, 57, 23, {QStringLiteral("58"), QStringLiteral("76")});
    caption(this, "Label22", "模板：", 552, 594);
    m_templateBox = dropDown(this, "ComboBox5", 600, 592, 153, 23, {QStringLiteral("一联"), QStringLiteral("两联")});
    caption(this, "Label23", "份数：", 408, 626);
    m_copiesBox = dropDown(this, "ComboBox6", 456, 624, 57, 23, {QStringLiteral("1"), QStringLiteral("2")});
    m_statisticsButton = speedButton(this, "SpeedButton6", " 统计", ":/assets/statistics.png", 552, 624, 81, 25);
    m_previewButton = speedButton(this, "SpeedButton7", " 预览", ":/assets/preview.png", 672, 624, 81, 25);
    m_printButton = speedButton(this, "SpeedButton8", "打印", ":/assets/print.png", 808, 472, 137, 161);
    m_printButton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_printButton->setIconSize(QSize(96, 96));
    m_printButton->setFont(face("微软雅黑", 27, true));
    m_printButton->setStyleSheet(QStringLiteral("QToolButton { color: blue; }"));

    m_statusBar = place<QStatusBar>(this, "StatusBar1", 0, 657, 984, 25);
    m_statusBar->setSizeGripEnabled(false);
    auto *motto = new QLabel(QStringLiteral("  以“好用、实用、易用”为设计理念！"));
    motto->setFixedWidth(550);
    auto *blank = new QLabel;
    blank->setFixedWidth(200);
    m_statusBar->addWidget(motto);
    m_statusBar->addWidget(blank);
    m_statusBar->addWidget(new QLabel(QStringLiteral(" 网站：") + WebAddresses::Site), 1);
    m_waitingSalesLabel = new QLabel;
    m_waitingSalesLabel->setObjectName(QStringLiteral("WaitingSalesLabel"));
    m_waitingSalesLabel->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    m_waitingSalesLabel->hide();
    m_statusBar->addPermanentWidget(m_waitingSalesLabel);
    m_setAsideSalesLabel = new QLabel;
    m_setAsideSalesLabel->setObjectName(QStringLiteral("SetAsideSalesLabel"));
    m_setAsideSalesLabel->setStyleSheet(QStringLiteral("QLabel { color: red; font-weight: bold; }"));
    m_setAsideSalesLabel->hide();
    m_statusBar->addPermanentWidget(m_setAsideSalesLabel);

    // Keyboard focus order; the customer name comes first.
    QWidget *order[] = {m_customerEdit,   m_phoneEdit,       m_addressEdit,   m_productBox,    m_priceEdit,
                        m_quantityEdit,   m_discountBox,     m_addButton,     m_shopNameEdit,  m_ticketNumberEdit,
                        m_cashierEdit,    m_paidBox,         m_remarkEdit,    m_paperWidthBox, m_templateBox,
                        m_copiesBox,      m_manualTimeCheck, m_customerCheck, m_linesGrid,     m_amountEdit,
                        m_discountedEdit, m_payableEdit,     m_changeEdit,    m_ticketTimeEdit};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Of the buttons, only Add is reached by the keyboard, right after the discount.
    for (QToolButton *button : findChildren<QToolButton *>())
        if (button != m_addButton)
            button->setFocusPolicy(Qt::NoFocus);

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    m_clock->setInterval(1000);
    buildOptionsMenu();
}

void CounterWindow::fitTotals()
{
    for (QLabel *total : {m_totalQuantityLabel, m_totalAmountLabel, m_totalDiscountedLabel}) {
        QFont font = face("宋体", kTotalPixels, true);
        while (font.pixelSize() > kSmallestTotalPixels
               && QFontMetrics(font).horizontalAdvance(total->text()) > total->width())
            font.setPixelSize(font.pixelSize() - 1);
        total->setFont(font);
    }
}

void CounterWindow::buildOptionsMenu()
{
    m_optionsMenu = new QMenu(this);
    m_optionsMenu->setObjectName(QStringLiteral("PopupMenu1"));
    auto entry = [this](const char *name, const char *text) {
        QAction *action = text ? m_optionsMenu->addAction(QString::fromUtf8(text)) : m_optionsMenu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    m_catalogueAction = entry("N1", "商品信息");
    m_statisticsAction = entry("N2", "销售统计");
    entry("N3", nullptr);
    m_backupAction = entry("N4", "数据备份");
    m_restoreAction = entry("N5", "数据恢复");
    entry("N6", nullptr);
    m_helpAction = entry("N7", "帮助主题");
    m_faqAction = entry("N8", "常见问题");
    m_siteAction = entry("N9", "软件网站");
    m_printerSetupAction = entry("PrinterSetupEntry", "打印机设置");
    m_databaseSetupAction = entry("DatabaseSetupEntry", "数据库设置");
    m_serverImportAction = entry("ServerImportEntry", "导入本机数据到服务器");
    m_waitingSalesAction = entry("WaitingSalesEntry", "待上传销售");
    m_aboutAction = entry("AboutEntry", "关于");
}
