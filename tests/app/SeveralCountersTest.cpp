#include "app/Application.h"
#include "counter/CounterWindow.h"
#include "data/Connection.h"
#include "data/ServerSettings.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"
#include "tests/support/TempPostgres.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using Rows = std::vector<QStringList>;

// A counter whose server is away sells on: the sale waits in its own file, the
// status bar says so, a restore is refused meanwhile, and the sale goes up
// once the server answers again.
TEST(SeveralCounters, SalesMadeWhileTheServerIsAwayWaitAndThenGoUp)
{
    TempPostgres &server = SharedPostgres();
    const QString url = server.newDatabase();
    CheckServer(url);
    server.query(url, QStringLiteral("insert into spxx (品名, 单价) values ('绿茶', 3)"));
    TempData data;
    data.exec(QStringLiteral("update dynr set modle = '不打印'")); // a template that prints nothing
    RecordingResponder dialogs;
    Connection session;
    session.useServer({url, 3});
    server.stop();

    Application program(session);
    CounterWindow *counter = &program.counter();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown.front().text.startsWith(QStringLiteral("无法连接数据库服务器")));
    const QString number = Find<QLineEdit>(counter, "Edit2")->text();
    EXPECT_EQ(number.size(), 16);
    EXPECT_TRUE(number.endsWith(QStringLiteral("03")));

    Find<QComboBox>(counter, "ComboBox1")->setEditText(QStringLiteral("绿茶"));
    for (auto [name, text] : {std::pair{"Edit7", "3"}, std::pair{"Edit8", "2"}}) {
        QLineEdit *field = Find<QLineEdit>(counter, name);
        field->selectAll(); // typing replaces what the field holds
        QTest::keyClicks(field, QString::fromLatin1(text));
    }
    QTest::mouseClick(Find<QToolButton>(counter, "SpeedButton3"), Qt::LeftButton);
    QTest::mouseClick(Find<QToolButton>(counter, "SpeedButton8"), Qt::LeftButton);
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 0);
    EXPECT_EQ(data.count(QStringLiteral("outbox")), 1);
    auto *waiting = Find<QLabel>(counter, "WaitingSalesLabel");
    QTRY_VERIFY_WITH_TIMEOUT(!waiting->isHidden(), 10000); // once a worker found the server silent
    EXPECT_EQ(waiting->text(), QStringLiteral("1 笔销售待上传"));

    dialogs.shown.clear();
    Find<QAction>(counter, "N5")->trigger(); // 数据恢复
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown.front().text.contains(QStringLiteral("1 笔销售等待上传")));

    server.start();
    QTRY_VERIFY_WITH_TIMEOUT(waiting->isHidden(), 20000);
    EXPECT_EQ(data.count(QStringLiteral("outbox")), 0);
    EXPECT_EQ(Find<QComboBox>(counter, "ComboBox1")->count(), 1); // the product list follows
    EXPECT_EQ(server.query(url, QStringLiteral("select 单号, 折后 from xstj")), (Rows{{number, QStringLiteral("6")}}));
}
