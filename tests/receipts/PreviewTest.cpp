#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "receipts/ReceiptWindow.h"
#include "report/ReportView.h"
#include "tests/receipts/Golden.h"
#include "tests/receipts/SampleOrder.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/TempData.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

QWidget *Page(QWidget *window, int sheet)
{
    return window->findChild<QWidget *>(QStringLiteral("TabSheet%1").arg(sheet));
}

ReportView *ViewOn(QWidget *window, int sheet)
{
    return Page(window, sheet)->findChild<ReportView *>(QStringLiteral("QuickRep%1").arg(sheet));
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
    Shown press(bool withCustomer, const char *width, const char *parts)
    {
        counter().withCustomer()->setChecked(withCustomer);
        counter().paperWidth()->setEditText(QString::fromUtf8(width));
        counter().layout()->setEditText(QString::fromUtf8(parts));
        Shown shown;
        const QObject whilePressing; // the closer goes with it if nothing was shown
        QTimer::singleShot(0, &whilePressing, [&] {
            if (auto *dialog = qobject_cast<ReceiptWindow *>(QApplication::activeModalWidget())) {
                shown = {dialog, dialog->findChild<QTabWidget *>(QStringLiteral("PageControl1"))->currentWidget()};
                dialog->reject();
            }
        });
        counter().preview()->click();
        QApplication::processEvents();
        return shown;
    }

    TempData data;
    Session session;
    std::unique_ptr<Application> program;
};

TEST_F(Preview, ShowsTheTemplateOfWidthAndPartsOnThePageOfTheCustomerFlag)
{
    const struct
    {
        const char *width;
        const char *parts;
        const char *window;
    } cases[] = {{"58", "一联", "Dy58Form"},
                 {"76", "一联", "Dy76Form"},
                 {"58", "两联", "Edy58Form"},
                 {"76", "两联", "Edy76Form"}};
    for (const auto &c : cases)
        for (const bool withCustomer : {false, true}) {
            SCOPED_TRACE(std::string(c.window) + (withCustomer ? " with customer" : ""));
            const Shown shown = press(withCustomer, c.width, c.parts);
            EXPECT_EQ(shown.window, window(c.window));
            EXPECT_EQ(shown.page, Page(window(c.window), withCustomer ? 2 : 1));
        }
}

// Nothing but the very texts of a known width and part count shows a window.
TEST_F(Preview, ShowsNothingForAnyOtherWidthOrPartCount)
{
    const std::pair<const char *, const char *> unknown[] = {
        {"80", "一联"}, {"58", "三联"}, {"58 ", "一联"}, {"58", "一联 "}, {"", ""}};
    for (const auto &[width, parts] : unknown)
        EXPECT_EQ(press(false, width, parts).window, nullptr) << width << "/" << parts;
}

// An empty ticket shows the layout, the ticket on the counter its own receipt;
// neither stores anything, nor the shop name typed.
TEST_F(Preview, ShowsTheTicketOnTheCounterAndStoresNothing)
{
    counter().shopName()->setText(QStringLiteral("新店名"));
    EXPECT_EQ(press(false, "58", "一联").window, window("Dy58Form"));
    const QSize layout = ViewOn(window("Dy58Form"), 1)->size();
    data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values "
                             "('苹果', 5, 1, 5, 5), ('香蕉', 3, 2, 6, 6), ('梨', 4, 1, 4, 4)"));
    program->counter().refreshTicket();
    press(false, "58", "一联");
    EXPECT_NE(ViewOn(window("Dy58Form"), 1)->size(), layout);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QString());
    EXPECT_EQ(data.count(QStringLiteral("xstj")), 0);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 3);
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

} // namespace
