#include "maintenance/BackupRestore.h"
#include "maintenance/HelpFile.h"

#include "base/AppError.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"
#include "tests/maintenance/MaintenanceFixtures.h"
#include "tests/support/TempData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(BackupFileName, AddsTheSuffixOnlyWhenTheNameLacksIt)
{
    const struct
    {
        const char *chosen;
        const char *expected;
    } cases[] = {
        {"/home/shop/backup", "/home/shop/backup.bak"},
        {"/home/shop/backup.bak", "/home/shop/backup.bak"},
        {"/home/shop/backup.BAK", "/home/shop/backup.BAK"},
        {"/home/shop/五月.bak.txt", "/home/shop/五月.bak.txt.bak"},
        {"/home/shop/backupbak", "/home/shop/backupbak.bak"},
        {"/home/shop.bak/backup", "/home/shop.bak/backup.bak"},
        {"backup.mdb", "backup.mdb.bak"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BackupRestore::BackupFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.expected))
            << c.chosen;
}

// Installed, the pages are in share/salescounter beside the program's bin
// folder; a program built from the source shows the source's pages.
TEST(HelpFile, FindsTheInstalledPagesFirstThenTheSourcePages)
{
    QTemporaryDir prefix;
    const QString source = HelpFile::Folder(prefix.path());
    ASSERT_TRUE(QFileInfo(QDir(source).filePath(HelpFile::IndexPage)).isFile()) << source.toStdString();
    ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("share/salescounter"))
                && QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    Fixtures::WriteBytes(prefix.filePath(QStringLiteral("share/salescounter/index.html")), "<html>");
    EXPECT_EQ(HelpFile::Folder(prefix.filePath(QStringLiteral("bin"))),
              prefix.filePath(QStringLiteral("share/salescounter")));
}

namespace {

struct BackupRestoreTest : ::testing::Test
{
    TempData data;
    Session session;
    QTemporaryDir folder;
    QString backupFile = folder.filePath(QStringLiteral("shop.bak"));

    void SetUp() override { session.open(); }
};

TEST_F(BackupRestoreTest, DamagedFilesAreNeitherBackedUpNorRestored)
{
    ASSERT_NO_THROW(BackupRestore::Backup(session, backupFile));
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                             "insert into xsmx(单号, 品名) select 'T' || i, '商品' || i from n"));
    const QString damagedBackup = folder.filePath(QStringLiteral("damaged.bak"));
    ASSERT_TRUE(QFile::copy(data.file(), damagedBackup));
    DamagePage(damagedBackup);

    QSignalSpy closing(&session, &Session::aboutToClose);
    const QByteArray before = Fixtures::Bytes(data.file());
    EXPECT_THROW(BackupRestore::Restore(session, damagedBackup), DataError);
    EXPECT_EQ(closing.size(), 0); // refused before the session was touched
    EXPECT_EQ(Fixtures::Bytes(data.file()), before);

    // The damage is found in the copy before the backup reports success.
    session.close();
    DamagePage(data.file());
    const QByteArray older = Fixtures::Bytes(backupFile);
    EXPECT_THROW(BackupRestore::Backup(session, backupFile), DataError);
    EXPECT_EQ(Fixtures::Bytes(backupFile), older);
}

// Another running program writes that file: a copy from or onto it could be torn.
TEST_F(BackupRestoreTest, FilesAnotherRunningProgramHoldsAreRefused)
{
    ASSERT_NO_THROW(BackupRestore::Backup(session, backupFile));
    HelperProcess other({QStringLiteral("hold"), backupFile});
    ASSERT_EQ(other.readLine(), QStringLiteral("held"));
    const QByteArray before = Fixtures::Bytes(backupFile);
    EXPECT_THROW(BackupRestore::Backup(session, backupFile), DataError);
    EXPECT_THROW(BackupRestore::Restore(session, backupFile), DataError);
    EXPECT_EQ(Fixtures::Bytes(backupFile), before);
    EXPECT_TRUE(session.isOpen());

    other.kill();
    EXPECT_NO_THROW(BackupRestore::Restore(session, backupFile));

    // So is this program's own file, under whatever name it is chosen.
    const QString ownFile = folder.filePath(QStringLiteral("own.bak"));
    ASSERT_TRUE(QFile::link(data.file(), ownFile));
    EXPECT_THROW(BackupRestore::Restore(session, ownFile), DataError);
    EXPECT_THROW(BackupRestore::Backup(session, ownFile), DataError);
    EXPECT_TRUE(QFileInfo(ownFile).isSymLink());
}

// The program keeps the file in place to itself: the restored one, once a restore replaced it.
TEST_F(BackupRestoreTest, TheRestoredFileIsHeldAsTheReplacedOneWas)
{
    session.holdFile();
    ASSERT_NO_THROW(BackupRestore::Backup(session, backupFile));
    ASSERT_NO_THROW(BackupRestore::Restore(session, backupFile));
    HelperProcess other({QStringLiteral("hold"), data.file()});
    EXPECT_TRUE(other.readLine().startsWith(QStringLiteral("程序已在运行。")));
}

} // namespace
