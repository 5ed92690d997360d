#include "maintenance/BackupRestore.h"
#include "maintenance/HelpFile.h"

#include "tests/maintenance/MaintenanceFixtures.h"

#include <QDir>
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
        {"/home/shop/backup.Bak", "/home/shop/backup.Bak"},
        {"/home/shop/五月.bak.txt", "/home/shop/五月.bak.txt.bak"},
        {"/home/shop/backupbak", "/home/shop/backupbak.bak"},
        {"/home/shop.bak/backup", "/home/shop.bak/backup.bak"},
        {"backup.mdb", "backup.mdb.bak"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(BackupRestore::BackupFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.expected))
            << c.chosen;
}

TEST(HelpFile, PrefersTheCompiledHelpAndFallsBackToTheHelpPage)
{
    QTemporaryDir folder;
    EXPECT_EQ(HelpFile::Location(folder.path()),
              QUrl::fromLocalFile(QDir(folder.path()).absoluteFilePath(QStringLiteral("使用帮助.html"))));

    const QString compiled = QDir(folder.path()).absoluteFilePath(QStringLiteral("使用帮助.chm"));
    Fixtures::WriteBytes(compiled, "ITSF");
    EXPECT_EQ(HelpFile::Location(folder.path()), QUrl::fromLocalFile(compiled));
}
