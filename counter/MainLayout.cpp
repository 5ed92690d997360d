#include "counter/MainUnit.h"

#include "grid/DataGrid.h"
#include "maintenance/WebAddresses.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
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

void TMainForm::BuildLayout()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFixedSize(984, 682);
    setFont(face("宋体", 15));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; }"));

    // Header
    Image1 = picture(this, "Image1", ":/assets/banner.jpg", 0, 0, 984, 66);
    Image2 = picture(this, "Image2", ":/assets/minimise.png", 940, 3, 19, 19);
    Image2->setToolTip(QStringLiteral("最小化"));
    Image2->setCursor(Qt::PointingHandCursor);
    Image3 = picture(this, "Image3", ":/assets/close.png", 960, 3, 19, 19);
    Image3->setToolTip(QStringLiteral("关闭"));
    Image3->setCursor(Qt::PointingHandCursor);
    SpeedButton1 = speedButton(this, "SpeedButton1", "选项", ":/assets/options.png", 48, 72, 89, 49);
    SpeedButton1->setFont(face("微软雅黑", 15, true));
    Label2 = caption(this, "Label2", "店名：", 224, 90);
    Edit1 = place<QLineEdit>(this, "Edit1", 272, 88, 289, 21);
    Label3 = caption(this, "Label3", "单号：", 48, 130);
    Edit2 = place<QLineEdit>(this, "Edit2", 96, 128, 273, 21);
    CheckBox1 = place<QCheckBox>(this, "CheckBox1", 389, 130, 65, 17);
    CheckBox1->setText(QStringLiteral("时间："));
    Edit3 = place<QLineEdit>(this, "Edit3", 456, 128, 305, 21);
    Edit3->setEnabled(false);
    CheckBox2 = place<QCheckBox>(this, "CheckBox2", 29, 162, 65, 17);
    CheckBox2->setText(QStringLiteral("客户："));
    CheckBox2->setChecked(true);
    Edit4 = place<QLineEdit>(this, "Edit4", 96, 160, 273, 21);
    Label4 = caption(this, "Label4", "电话：", 408, 162);
    Edit5 = place<QLineEdit>(this, "Edit5", 456, 160, 305, 21);
    Label5 = caption(this, "Label5", "地址：", 48, 194);
    Edit6 = place<QLineEdit>(this, "Edit6", 96, 192, 665, 21);
    Image4 = picture(this, "Image4", ":/assets/square.jpg", 832, 80, 105, 105);
    Label1 = caption(this, "Label1", "微信扫码关注", 838, 190);
    Label1->setFont(face("微软雅黑", 15, true));
    Label1->adjustSize();
    Label1->setStyleSheet(QStringLiteral("color: blue;"));
    Panel2 = place<QFrame>(this, "Panel2", 0, 217, 982, 2);
    Panel2->setFrameShape(QFrame::HLine);
    Panel2->setFrameShadow(QFrame::Sunken);

    // Line entry
    Label6 = caption(this, "Label6", "品名：", 48, 226);
    ComboBox1 = dropDown(this, "ComboBox1", 96, 224, 273, 23);
    Label7 = caption(this, "Label7", "单价：", 408, 226);
    Edit7 = place<QLineEdit>(this, "Edit7", 456, 224, 121, 21);
    Label8 = caption(this, "Label8", "数量：", 616, 226);
    Edit8 = place<QLineEdit>(this, "Edit8", 664, 224, 97, 21);
    Edit8->setText(QStringLiteral("1"));
    Label9 = caption(this, "Label9", "折扣：", 784, 226);
    ComboBox2 = dropDown(this, "ComboBox2", 832, 224, 57, 23);
    ComboBox2->setMaxVisibleItems(20);
    ComboBox2->setEditText(QStringLiteral("10"));
    SpeedButton2 = speedButton(this, "SpeedButton2", "抹零", nullptr, 888, 224, 41, 22);
    SpeedButton2->setAutoRaise(false);
    Label10 = caption(this, "Label10", "金额：", 616, 258);
    Edit9 = place<QLineEdit>(this, "Edit9", 664, 256, 97, 21);
    makeOutput(Edit9);
    Label11 = caption(this, "Label11", "折后：", 784, 258);
    Edit10 = place<QLineEdit>(this, "Edit10", 832, 256, 97, 21);
    makeOutput(Edit10);

    // Lines
    SpeedButton3 = speedButton(this, "SpeedButton3", " 添加", ":/assets/add.png", 96, 258, 105, 25);
    SpeedButton4 = speedButton(this, "SpeedButton4", " 修改", ":/assets/modify.png", 288, 258, 105, 25);
    SpeedButton4->setEnabled(false);
    SpeedButton5 = speedButton(this, "SpeedButton5", " 删除", ":/assets/delete.png", 480, 258, 97, 25);
    SpeedButton5->setEnabled(false);
    DBGridEh1 = new DataGrid(this);
    DBGridEh1->setObjectName(QStringLiteral("DBGridEh1"));
    DBGridEh1->setGeometry(24, 296, 737, 217);
    Panel1 = place<QFrame>(this, "Panel1", 376, 520, 385, 57);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Label17 = caption(Panel1, "Label17", "合计：", 16, 13);
    Label17->setFont(face("微软雅黑", 24, true));
    Label17->adjustSize();
    Label18 = caption(Panel1, "Label18", "0", 104, 20);
    Label19 = caption(Panel1, "Label19", "0", 168, 20);
    Label20 = caption(Panel1, "Label20", "0", 264, 20);
    for (QLabel *total : {Label18, Label19, Label20}) {
        total->setFont(face("宋体", 21, true));
        total->setStyleSheet(QStringLiteral("color: blue;"));
        total->adjustSize();
    }

    // Payment
    Label12 = caption(this, "Label12", "收银员：", 776, 314);
    Edit11 = place<QLineEdit>(this, "Edit11", 840, 312, 121, 21);
    Label13 = caption(this, "Label13", "应付：", 792, 346);
    Edit12 = place<QLineEdit>(this, "Edit12", 840, 344, 121, 21);
    makeOutput(Edit12);
    Label14 = caption(this, "Label14", "支付：", 792, 378);
    ComboBox3 = dropDown(this, "ComboBox3", 840, 376, 121, 23,
                         {QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("20"), QStringLiteral("10"),
                          QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("500")});
    ComboBox3->setStyleSheet(QStringLiteral("QComboBox { color: blue; font-weight: bold; }"));
    Label15 = caption(this, "Label15", "找零：", 792, 410);
    Edit13 = place<QLineEdit>(this, "Edit13", 840, 408, 121, 21);
    makeOutput(Edit13);
    for (QLineEdit *bold : {Edit12, Edit13}) {
        QFont font = bold->font();
        font.setBold(true);
        bold->setFont(font);
    }

    // Bottom
    Label16 = caption(this, "Label16", "备注：", 32, 528);
    Memo1 = place<QPlainTextEdit>(this, "Memo1", 80, 520, 281, 129);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label21 = caption(this, "Label21", "POS选择：", 384, 594);
    ComboBox4 = dropDown(this, "ComboBox4", 456, 592, 57, 23, {QStringLiteral("58"), QStringLiteral("76")});
    Label22 = caption(this, "Label22", "模板：", 552, 594);
    ComboBox5 = dropDown(this, "ComboBox5", 600, 592, 153, 23, {QStringLiteral("一联"), QStringLiteral("两联")});
    Label23 = caption(this, "Label23", "份数：", 408, 626);
    ComboBox6 = dropDown(this, "ComboBox6", 456, 624, 57, 23, {QStringLiteral("1"), QStringLiteral("2")});
    SpeedButton6 = speedButton(this, "SpeedButton6", " 统计", ":/assets/statistics.png", 552, 624, 81, 25);
    SpeedButton7 = speedButton(this, "SpeedButton7", " 预览", ":/assets/preview.png", 672, 624, 81, 25);
    SpeedButton8 = speedButton(this, "SpeedButton8", "打印", ":/assets/print.png", 808, 472, 137, 161);
    SpeedButton8->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    SpeedButton8->setIconSize(QSize(96, 96));
    SpeedButton8->setFont(face("微软雅黑", 27, true));
    SpeedButton8->setStyleSheet(QStringLiteral("QToolButton { color: blue; }"));

    StatusBar1 = place<QStatusBar>(this, "StatusBar1", 0, 657, 984, 25);
    StatusBar1->setSizeGripEnabled(false);
    auto *motto = new QLabel(QStringLiteral("  以“好用、实用、易用”为设计理念！"));
    motto->setFixedWidth(550);
    auto *blank = new QLabel;
    blank->setFixedWidth(200);
    StatusBar1->addWidget(motto);
    StatusBar1->addWidget(blank);
    StatusBar1->addWidget(new QLabel(QStringLiteral(" 网站：") + WebAddresses::Site), 1);

    // Keyboard focus order; the customer name comes first.
    QWidget *order[] = {Edit4,     Edit5,     Edit6,     ComboBox1, Edit7,     Edit8,     ComboBox2, Edit1,
                        Edit2,     Edit11,    ComboBox3, Memo1,     ComboBox4, ComboBox5, ComboBox6, CheckBox1,
                        CheckBox2, DBGridEh1, Edit9,     Edit10,    Edit12,    Edit13,    Edit3};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto entry = [this](const char *name, const char *text) {
        QAction *action = text ? PopupMenu1->addAction(QString::fromUtf8(text)) : PopupMenu1->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    N1 = entry("N1", "商品信息");
    N2 = entry("N2", "销售统计");
    N3 = entry("N3", nullptr);
    N4 = entry("N4", "数据备份");
    N5 = entry("N5", "数据恢复");
    N6 = entry("N6", nullptr);
    N7 = entry("N7", "帮助主题");
    N8 = entry("N8", "常见问题");
    N9 = entry("N9", "软件网站");
}
