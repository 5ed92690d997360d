#include "app/Application.h"
#include "app/DesktopEntry.h"
#include "app/StartOptions.h"
#include "app/Translations.h"
#include "base/AppError.h"
#include "counter/CounterWindow.h"
#include "data/store/ServerSettings.h"
#include "data/store/Session.h"
#include "tests/support/CounterDriver.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempData.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct StartupTest : ::testing::Test
{
    TempData data;
    RecordingResponder dialogs;
    Session session;
    std::unique_ptr<Application> program;
    std::optional<CounterDriver> counter;

    void start()
    {
        program = std::make_unique<Application>(session);
        counter.emplace(program->counter());
    }
};

// Lines left on the ticket by a run that did not record their sale (a print
// that failed, a kill) are shown again, with their totals.
TEST_F(StartupTest, StartsWithTheStoredSettingsAndTheLinesOfAnUnrecordedSale)
{
    data.exec(QStringLiteral("insert into xsxx (品名, 单价, 数量, 金额, 折后) values "
                             "('上次剩下', 1.5, 2, 3, 3), ('也是', 2, 1, 2, 1.8)"));
    data.exec(QStringLiteral("update dynr set 店名 = '便民小店', 备注 = '谢谢惠顾\n欢迎再来', 收银员 = '李', "
                             "pos = '76', modle = '两联', print = '2'"));

    start();

    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().front().toStdString();
    EXPECT_EQ(counter->lineCount(), 2);
    EXPECT_EQ((QStringList{counter->shopName()->text(), counter->remark()->toPlainText(), counter->cashier()->text(),
                           counter->paperWidth()->currentText(), counter->layout()->currentText(),
                           counter->copies()->currentText()}),
              (QStringList{QStringLiteral("便民小店"), QStringLiteral("谢谢惠顾\n欢迎再来"), QStringLiteral("李"),
                           QStringLiteral("76"), QStringLiteral("两联"), QStringLiteral("2")}));
    EXPECT_EQ(counter->totals(), (std::vector<QString>{"3", "5", "4.8", "4.8", "0"}));
}

TEST_F(StartupTest, EmptySettingsTableGivesEmptyBoxes)
{
    data.exec(QStringLiteral("delete from dynr"));
    start();
    EXPECT_TRUE(dialogs.shown.empty());
    for (QComboBox *box : {counter->paperWidth(), counter->layout(), counter->copies()})
        EXPECT_EQ(box->currentText(), QString()) << box->objectName().toStdString();
    EXPECT_EQ(counter->shopName()->text(), QString());
}

TEST_F(StartupTest, BrokenDataFileIsReportedOnceAndTheCounterStillComesUp)
{
    QFile file(data.file());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a data file");
    file.close();

    start();

    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_TRUE(dialogs.shown.front().text.contains(data.file()));
    EXPECT_LE(dialogs.shown.size(), 2u); // the file's problem, then the settings that could not be read
    EXPECT_EQ(counter->ticketNumber()->text().size(), 14); // the counter still comes up
}

// A database.conf others can read is flagged at start, after the server's own message.
TEST_F(StartupTest, AnExposedServerSettingsFileIsFlagged)
{
    QTemporaryDir config;
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString conf = ServerSettingsPath();
    SaveServerSettings({QStringLiteral("postgresql://shop@[]/db"), 4}, conf);
    ASSERT_TRUE(QFile::setPermissions(conf, QFile::permissions(conf) | QFile::ReadOther));
    session.useServer(*LoadServerSettings());
    start();
    qputenv("XDG_CONFIG_HOME", savedConfig);

    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(conf)) << dialogs.shown[1].text.toStdString();
}

// Started from the icon, the program must find the data this start used.
TEST(DesktopEntryTest, StartsTheProgramInTheDataFolder)
{
    QTemporaryDir home;
    const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Desktop")));

    WriteDesktopEntry(QStringLiteral("/srv/小店 数据"));

    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);
    QFile entry(home.filePath(QStringLiteral("Desktop/Tindrel销售小票打印软件.desktop")));
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(QLatin1Char('\n'));
    EXPECT_TRUE(lines.contains(QStringLiteral("Path=/srv/小店 数据")));
    EXPECT_TRUE(lines.contains(
        QStringLiteral("Exec=\"%1\" --data \"/srv/小店 数据\"").arg(QCoreApplication::applicationFilePath())));
}

// Installed, the data live in the user's own folder, made owner-only; --data
// (which scripts/run.sh passes for a start from the source) names another.
TEST(StartOptionsTest, ChooseTheDataFolder)
{
    QTemporaryDir home;
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("share")).toUtf8());
    const struct
    {
        QStringList arguments;
        QString folder;
        bool kiosk;
        bool problem;
    } cases[] = {
        {{"salescounter"}, home.filePath("share/salescounter"), false, false},
        {{"salescounter", "--kiosk"}, home.filePath("share/salescounter"), true, false},
        {{"salescounter", "--data", home.filePath("店")}, home.filePath("店"), false, false},
        {{"salescounter", "--data"}, {}, false, true},
        {{"salescounter", "--help"}, {}, false, true},
        {{"salescounter", "data.mdb"}, {}, false, true},
    };
    for (const auto &c : cases) {
        const StartOptions options = ReadStartOptions(c.arguments);
        EXPECT_EQ(options.problem.isEmpty(), !c.problem) << c.arguments.join(' ').toStdString();
        if (!c.problem) {
            EXPECT_EQ(options.dataFolder, c.folder);
            EXPECT_EQ(options.kiosk, c.kiosk);
        }
    }
    qputenv("XDG_DATA_HOME", savedData);

    const QString saved = QDir::currentPath();
    const QString folder = ReadStartOptions({"salescounter"}).dataFolder;
    EnterDataFolder(folder);
    EXPECT_EQ(QDir::currentPath(), folder);
    const QFile::Permissions user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(folder) & ~user, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir::setCurrent(saved);
    EXPECT_THROW(EnterDataFolder("/proc/店/数据"), AppError); // no folder can be made there
}

TEST(TranslationsTest, QtsOwnTextsAreChinese)
{
    ASSERT_TRUE(InstallChineseTranslations(*QCoreApplication::instance()));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("取消"));
}

} // namespace
