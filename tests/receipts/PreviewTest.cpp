#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "receipts/ReceiptWindow.h"
#include "receipts/Ticket.h"
#include "report/Report.h"
#include "report/ReportView.h"
#include "tests/receipts/Golden.h"
#include "tests/receipts/SampleOrder.h"
#include "tests/support/Controls.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QImage>
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

// With lines on the counter, the preview shows that ticket's own receipt and
// stores nothing.
TEST_F(Preview, ShowsTheTicketOnTheCounter)
{
    data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values "
                             "('苹果', 5, 1, 5, 5), ('香蕉', 3, 2, 6, 6), ('梨', 4, 1, 4, 4)"));
    program->counter().refreshTicket();
    const Shown shown = press(false, QStringLiteral("58"), QStringLiteral("一联"));
    EXPECT_EQ(shown.window, window("Dy58Form"));
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
}

TEST_F(Preview, AnEmptyTicketShowsTheLayoutAndSavesNothing)
{
    counter().shopName()->setText(QStringLiteral("新店名"));
    press(false, QStringLiteral("58"), QStringLiteral("一联"));
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QString());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
}

// The page tabs are hidden under a strip that lies over them, above them in stacking order.
TEST_F(Preview, WindowsHideThePageTabs)
{
    for (const char *name : {"Dy58Form", "Dy76Form", "Edy58Form", "Edy76Form"}) {
        SCOPED_TRACE(name);
        ReceiptWindow *shown = window(name);
        QTabWidget *pages = Pages(shown);
        auto *panel = shown->findChild<QFrame *>(QStringLiteral("Panel1"));
        ASSERT_NE(panel, nullptr);
        shown->show(); // lays the page tabs out
        QApplication::processEvents();
        EXPECT_EQ(shown->windowTitle(), QStringLiteral("打印预览"));
        const QRect tabs(pages->mapTo(shown, pages->tabBar()->geometry().topLeft()), pages->tabBar()->size());
        EXPECT_TRUE(panel->geometry().contains(tabs));
        EXPECT_GT(shown->children().indexOf(panel), shown->children().indexOf(pages));
        EXPECT_NE(ViewOn(shown, 1), nullptr);
        EXPECT_NE(ViewOn(shown, 2), nullptr);
        shown->hide();
    }
}

// After a checkout the window shows that receipt, as long as its golden render.
TEST_F(Preview, AfterACheckoutShowsThatReceiptAtItsLength)
{
    window("Dy58Form")->showReceipt(SampleOrder(ReceiptTemplate::OnePart58, false));
    for (const int sheet : {1, 2}) {
        const QImage golden(GoldenPath(ReceiptTemplate::OnePart58, sheet == 2, "png"));
        EXPECT_EQ(ViewOn(window("Dy58Form"), sheet)->size(), golden.size()) << sheet;
    }
}
