#include "data/AppError.h"
#include "data/ServerSettings.h"
#include "maintenance/DatabaseSetupDialog.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/TempPostgres.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

void click(QDialog &dialog, const char *name)
{
    QTest::mouseClick(Find<QPushButton>(&dialog, name), Qt::LeftButton);
}

void clickOk(QDialog &dialog)
{
    QTest::mouseClick(Find<QDialogButtonBox>(&dialog, "buttons")->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

} // namespace

// The dialog tests the address as typed, saves it with the counter number for
// the next start, shows what is saved, and an empty address means no server.
TEST(DatabaseSetup, TestsSavesAndShowsTheServer)
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("salescounter/database.conf"));
    const QString url = SharedPostgres().newDatabase();
    RecordingResponder dialogs;
    {
        DatabaseSetupDialog dialog(nullptr, conf);
        Find<QLineEdit>(&dialog, "urlEdit")->setText(QStringLiteral("host=/nonexistent dbname=shop"));
        click(dialog, "testButton");
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_TRUE(dialogs.shown.back().text.startsWith(QStringLiteral("无法连接数据库服务器")));

        Find<QLineEdit>(&dialog, "urlEdit")->setText(url);
        Find<QSpinBox>(&dialog, "counterBox")->setValue(12);
        click(dialog, "testButton");
        EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("连接成功。"));
        clickOk(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
    const std::optional<ServerSettings> saved = LoadServerSettings(conf);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->url, url);
    EXPECT_EQ(saved->counter, 12);
    EXPECT_EQ(QFile::permissions(conf) & (QFile::ReadOther | QFile::ReadGroup), 0); // it may hold a password

    DatabaseSetupDialog again(nullptr, conf);
    EXPECT_EQ(Find<QLineEdit>(&again, "urlEdit")->text(), url);
    EXPECT_EQ(Find<QSpinBox>(&again, "counterBox")->value(), 12);
    Find<QLineEdit>(&again, "urlEdit")->clear();
    clickOk(again);
    EXPECT_FALSE(LoadServerSettings(conf));
}

TEST(DatabaseSetup, ACounterNumberOutsideOneToNinetyNineIsRefused)
{
    QTemporaryDir dir;
    const QString conf = dir.filePath(QStringLiteral("database.conf"));
    for (const char *counter : {"0", "100", "二", ""}) {
        QFile file(conf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[database]\nurl=host=/tmp dbname=shop\ncounter=") + counter + "\n");
        file.close();
        EXPECT_THROW(LoadServerSettings(conf), DataError) << counter;
    }
}
