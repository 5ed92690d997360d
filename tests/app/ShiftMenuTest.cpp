#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/store/Session.h"
#include "tests/support/Controls.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QDialog *OpenDialog()
{
    return qobject_cast<QDialog *>(QApplication::activeModalWidget());
}

// 选项 → 备用金 refuses what is no amount and stays open; the float it keeps is
// the one Ctrl+J's 交班 starts from.
TEST(ShiftMenu, TheFloatSetFromTheMenuIsTheOneTheShiftCloseShows)
{
    TempData data;
    RecordingResponder dialogs;
    Session session;
    Application program(session);
    CounterWindow &window = program.counter();
    const CounterDriver counter(window);

    const std::pair<QString, bool> typed[] = {{"abc", true}, {"-5", true}, {"88.5", false}};
    for (const auto &[text, staysOpen] : typed) {
        bool leftOpen = false;
        QTimer::singleShot(0, [&leftOpen, text = text] {
            QDialog *dialog = OpenDialog();
            Find<QLineEdit>(dialog, "FloatBox")->setText(text);
            dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
            leftOpen = dialog->isVisible();
            dialog->reject();
        });
        counter.menuEntry("OpeningFloatEntry")->trigger();
        EXPECT_EQ(leftOpen, staysOpen) << text.toStdString();
    }
    EXPECT_EQ(dialogs.texts(), std::vector<QString>(2, QStringLiteral("备用金不是有效的金额。")));
    EXPECT_EQ(data.scalar(QStringLiteral("select 备用金 from dynr")), QStringLiteral("88.5"));

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QString shown;
    QTimer::singleShot(0, [&shown] {
        shown = Find<QLineEdit>(OpenDialog(), "FloatBox")->text();
        OpenDialog()->reject();
    });
    QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(shown, QStringLiteral("88.5"));
}

} // namespace
