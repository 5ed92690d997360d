#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "receipts/ReceiptWindow.h"
#include "receipts/Ticket.h"
#include "report/Report.h"
#include "report/ReportView.h"
#include "tests/support/CounterDriver.h"
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

#include <memory>

namespace {

QTabWidget *Pages(QWidget *window)
{
    return window->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
}

struct Shown
{
    QWidget *window = nullptr;
    QWidget *page = nullptr;
};

class Preview : public ::testing::Test
{
protected:
    void SetUp() override { program = std::make_unique<Application>(session); }

    // The receipt window of a template, by its name among the program's windows.
    static ReceiptWindow *window(const char *name)
    {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String(name))
                return qobject_cast<ReceiptWindow *>(window);
        return nullptr;
    }
    CounterDriver counter() const { return CounterDriver(program->counter()); }

    // Presses Preview; whatever window it shows modally is noted and closed.
    Shown press(bool withCustomer, const QString &width, const QString &parts)
    {
        counter().withCustomer()->setChecked(withCustomer);
        counter().paperWidth()->setEditText(width);
        counter().layout()->setEditText(parts);
        Shown shown;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<ReceiptWindow *>(QApplication::activeModalWidget())) {
                shown.window = dialog;
                shown.page = Pages(dialog)->currentWidget();
                dialog->reject();
            }
        });
        closer.start(0);
        counter().preview()->click();
        QApplication::processEvents();
        return shown;
    }

    TempData data;
    Session session;
    std::unique_ptr<Application> program;
};

QWidget *Page(QWidget *window, int sheet)
{
    return window->findChild<QWidget *>(QStringLiteral("TabSheet%1").arg(sheet));
}

QWidget *CurrentPage(QWidget *window)
{
    return Pages(window)->currentWidget();
}

ReportView *ViewOn(QWidget *window, int sheet)
{
    return Page(window, sheet)->findChild<ReportView *>(QStringLiteral("QuickRep%1").arg(sheet));
}

} // namespace

TEST_F(Preview, ShowsTheTemplateOfWidthAndPartsOnThePageOfTheCustomerFlag)
{
    const struct
    {
        bool withCustomer;
        const char *width;
        const char *parts;
        ReceiptWindow *expected;
        int sheet;
    } cases[] = {
        {false, "58", "一联", window("Dy58Form"), 1},  {true, "58", "一联", window("Dy58Form"), 2},
        {false, "76", "一联", window("Dy76Form"), 1},  {true, "76", "一联", window("Dy76Form"), 2},
        {false, "58", "两联", window("Edy58Form"), 1}, {true, "58", "两联", window("Edy58Form"), 2},
        {false, "76", "两联", window("Edy76Form"), 1}, {true, "76", "两联", window("Edy76Form"), 2},
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
    EXPECT_EQ(CurrentPage(window("Edy58Form")), Page(window("Edy58Form"), 2));
    EXPECT_EQ(CurrentPage(window("Dy58Form")), Page(window("Dy58Form"), 1)) << "one-part windows untouched";

    // An unknown width shows nothing, yet the pages were chosen.
    const Shown shown = press(true, QStringLiteral("80"), QStringLiteral("一联"));
    EXPECT_EQ(shown.window, nullptr);
    EXPECT_EQ(CurrentPage(window("Dy58Form")), Page(window("Dy58Form"), 2));
    EXPECT_EQ(CurrentPage(window("Dy76Form")), Page(window("Dy76Form"), 2));

    // An unknown template chooses no page and shows nothing.
    EXPECT_EQ(press(false, QStringLiteral("58"), QStringLiteral("三联")).window, nullptr);
    EXPECT_EQ(CurrentPage(window("Dy58Form")), Page(window("Dy58Form"), 2));
}

// With lines on the counter, the preview shows that ticket's own receipt, at
// the length Print would give it, and stores nothing.
TEST_F(Preview, ShowsTheTicketOnTheCounter)
{
    data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values "
                             "('苹果', 5, 1, 5, 5), ('香蕉', 3, 2, 6, 6), ('梨', 4, 1, 4, 4)"));
    program->counter().refreshTicket();
    const Shown shown = press(false, QStringLiteral("58"), QStringLiteral("一联"));
    EXPECT_EQ(shown.window, window("Dy58Form"));
    EXPECT_EQ(ViewOn(window("Dy58Form"), 1)->size(), QSize(219, 3 * 25 + 350));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
}

TEST_F(Preview, AnEmptyTicketShowsTheLayoutAndSavesNothing)
{
    counter().shopName()->setText(QStringLiteral("新店名"));
    press(false, QStringLiteral("58"), QStringLiteral("一联"));
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QString());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);

    // The views show the layout the renderer builds without a ticket.
    EXPECT_EQ(ViewOn(window("Dy58Form"), 1)->size(), QSize(219, 305));
    EXPECT_EQ(ViewOn(window("Dy58Form"), 2)->size(), QSize(219, 360));
}

TEST_F(Preview, WindowsHaveTheirSizesAndHideThePageTabs)
{
    const struct
    {
        ReceiptWindow *window;
        QSize client;
        QRect pages;
        QPoint report;
        QSize reportSize; // of QuickRep1 before the first checkout
    } cases[] = {
        {window("Dy58Form"), {342, 452}, {0, 24, 345, 430}, {62, 21}, {219, 305}},
        {window("Dy76Form"), {342, 452}, {0, 24, 345, 430}, {22, 21}, {287, 310}},
        {window("Edy58Form"), {342, 585}, {0, 24, 345, 561}, {62, 21}, {219, 435}},
        {window("Edy76Form"), {342, 585}, {0, 24, 345, 561}, {22, 21}, {287, 435}},
    };
    for (const auto &c : cases) {
        ReceiptWindow *window = c.window;
        QTabWidget *pages = Pages(window);
        auto *panel = window->findChild<QFrame *>(QStringLiteral("Panel1"));
        ASSERT_NE(panel, nullptr);
        window->show(); // lays the page tabs out
        QApplication::processEvents();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("打印预览"));
        EXPECT_EQ(window->size(), c.client);
        EXPECT_EQ(pages->geometry(), c.pages);
        // The strip lies over the tab bar, above it in stacking order.
        const QRect tabs(pages->mapTo(window, pages->tabBar()->geometry().topLeft()), pages->tabBar()->size());
        EXPECT_TRUE(panel->geometry().contains(tabs)) << window->metaObject()->className();
        EXPECT_GT(window->children().indexOf(panel), window->children().indexOf(pages));

        const auto *view = ViewOn(window, 1);
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(view->geometry(), QRect(c.report, c.reportSize)) << window->metaObject()->className();
        ASSERT_NE(ViewOn(window, 2), nullptr);
        window->hide();
    }
}

TEST_F(Preview, AfterACheckoutShowsThatReceiptAtItsLength)
{
    ReceiptOrder order;
    order.settings.remark = QStringLiteral("谢谢惠顾");
    order.remarkLines = 1;
    order.ticket.cashier = QStringLiteral("王芳");
    order.ticket.lines.resize(3);
    window("Dy58Form")->showReceipt(order);
    EXPECT_EQ(ViewOn(window("Dy58Form"), 1)->size(), QSize(219, 17 + 3 * 25 + 350));
    EXPECT_EQ(ViewOn(window("Dy58Form"), 2)->size(), QSize(219, 17 + 3 * 25 + 350));
}
