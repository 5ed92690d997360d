#include "app/Windows.h"
#include "checkout/Dy58Unit.h"
#include "checkout/Dy76Unit.h"
#include "checkout/Edy58Unit.h"
#include "checkout/Edy76Unit.h"
#include "counter/MainUnit.h"
#include "report/ReportView.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

struct Shown
{
    QWidget *window = nullptr;
    QWidget *page = nullptr;
};

class Preview : public ::testing::Test
{
protected:
    void SetUp() override { CreateWindows(); }
    void TearDown() override { DestroyWindows(); }

    // Presses Preview; whatever window it shows modally is noted and closed.
    Shown press(bool withCustomer, const QString &width, const QString &parts)
    {
        MainForm->CheckBox2->setChecked(withCustomer);
        MainForm->ComboBox4->setEditText(width);
        MainForm->ComboBox5->setEditText(parts);
        Shown shown;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<TReceiptForm *>(QApplication::activeModalWidget())) {
                shown.window = dialog;
                shown.page = dialog->PageControl1->currentWidget();
                dialog->reject();
            }
        });
        closer.start(0);
        MainForm->SpeedButton7->click();
        QApplication::processEvents();
        return shown;
    }

    TempData data;
};

QWidget *Page(TReceiptForm *window, int sheet)
{
    return sheet == 1 ? window->TabSheet1 : window->TabSheet2;
}

} // namespace

TEST_F(Preview, ShowsTheTemplateOfWidthAndPartsOnThePageOfTheCustomerFlag)
{
    const struct
    {
        bool withCustomer;
        const char *width;
        const char *parts;
        TReceiptForm *expected;
        int sheet;
    } cases[] = {
        {false, "58", "一联", Dy58Form, 1}, {true, "58", "一联", Dy58Form, 2},
        {false, "76", "一联", Dy76Form, 1}, {true, "76", "一联", Dy76Form, 2},
        {false, "58", "两联", Edy58Form, 1}, {true, "58", "两联", Edy58Form, 2},
        {false, "76", "两联", Edy76Form, 1}, {true, "76", "两联", Edy76Form, 2},
    };
    for (const auto &c : cases) {
        const Shown shown = press(c.withCustomer, QString::fromUtf8(c.width), QString::fromUtf8(c.parts));
        EXPECT_EQ(shown.window, c.expected) << c.width << c.parts << c.withCustomer;
        EXPECT_EQ(shown.page, Page(c.expected, c.sheet)) << c.width << c.parts << c.withCustomer;
    }
}

TEST_F(Preview, TurnsBothWidthsOfThePartCountToTheSamePage)
{
    press(true, QStringLiteral("76"), QStringLiteral("两联"));
    EXPECT_EQ(Edy58Form->PageControl1->currentWidget(), Edy58Form->TabSheet2);
    EXPECT_EQ(Dy58Form->PageControl1->currentWidget(), Dy58Form->TabSheet1) << "one-part windows untouched";

    // An unknown width shows nothing, yet the pages were chosen.
    const Shown shown = press(true, QStringLiteral("80"), QStringLiteral("一联"));
    EXPECT_EQ(shown.window, nullptr);
    EXPECT_EQ(Dy58Form->PageControl1->currentWidget(), Dy58Form->TabSheet2);
    EXPECT_EQ(Dy76Form->PageControl1->currentWidget(), Dy76Form->TabSheet2);

    // An unknown template chooses no page and shows nothing.
    EXPECT_EQ(press(false, QStringLiteral("58"), QStringLiteral("三联")).window, nullptr);
    EXPECT_EQ(Dy58Form->PageControl1->currentWidget(), Dy58Form->TabSheet2);
}

TEST_F(Preview, SavesNothingAndShowsPlaceholdersBeforeAnyCheckout)
{
    data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values ('苹果', 5, 1, 5, 5)"));
    MainForm->Edit1->setText(QStringLiteral("新店名"));
    press(false, QStringLiteral("58"), QStringLiteral("一联"));
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QString());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);

    const PrintedReport shown = Dy58Form->QuickRep1->design();
    const auto textOf = [&](const char *item) { return shown.placementsOf(QString::fromUtf8(item)).front().text; };
    EXPECT_EQ(textOf("QRLabel2"), QStringLiteral("收银员"));
    EXPECT_EQ(textOf("QRLabel4"), QStringLiteral("单号"));
    EXPECT_EQ(textOf("QRDBText1"), QStringLiteral("店名"));
    EXPECT_EQ(textOf("QRDBText2"), QStringLiteral("品名"));
    EXPECT_EQ(textOf("QRDBText3"), QStringLiteral("单价"));
    EXPECT_EQ(textOf("QRDBText4"), QStringLiteral("数量"));
    EXPECT_EQ(textOf("QRDBText5"), QStringLiteral("折后"));
    EXPECT_EQ(textOf("QRLabel19"), QStringLiteral("找零"));
}

TEST_F(Preview, WindowsHaveTheirSizesAndHideThePageTabs)
{
    const struct
    {
        TReceiptForm *window;
        QSize client;
        QRect pages;
        QPoint report;
        QSize reportSize; // of QuickRep1 before the first checkout
    } cases[] = {
        {Dy58Form, {342, 452}, {0, 24, 345, 430}, {62, 21}, {219, 305}},
        {Dy76Form, {342, 452}, {0, 24, 345, 430}, {22, 21}, {287, 310}},
        {Edy58Form, {342, 585}, {0, 24, 345, 561}, {62, 21}, {219, 435}},
        {Edy76Form, {342, 585}, {0, 24, 345, 561}, {22, 21}, {287, 435}},
    };
    for (const auto &c : cases) {
        TReceiptForm *window = c.window;
        window->show(); // lays the page tabs out
        QApplication::processEvents();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("打印预览"));
        EXPECT_EQ(window->size(), c.client);
        EXPECT_EQ(window->PageControl1->geometry(), c.pages);
        // The strip lies over the tab bar, above it in stacking order.
        const QRect tabs(window->PageControl1->mapTo(window, window->PageControl1->tabBar()->geometry().topLeft()),
                         window->PageControl1->tabBar()->size());
        EXPECT_TRUE(window->Panel1->geometry().contains(tabs)) << window->metaObject()->className();
        EXPECT_GT(window->children().indexOf(window->Panel1), window->children().indexOf(window->PageControl1));

        const auto *view = window->TabSheet1->findChild<ReportView *>(QStringLiteral("QuickRep1"));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->geometry(), QRect(c.report, c.reportSize)) << window->metaObject()->className();
        ASSERT_NE(window->TabSheet2->findChild<ReportView *>(QStringLiteral("QuickRep2")), nullptr);
        window->hide();
    }

    // After a checkout the report shows at the length it printed with.
    Dy58Form->QuickRep1->setHeightUnits(459);
    EXPECT_EQ(Dy58Form->TabSheet1->findChild<ReportView *>()->size(), QSize(219, 459));
}
