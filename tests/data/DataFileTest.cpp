#include "data/store/DataFile.h"
#include "base/AppError.h"
#include "data/store/ReopenQuery.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

struct DataFileTest : ::testing::Test
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("data.mdb"));
    Session session;
    void SetUp() override { session.setConnectionString(path); }
    void TearDown() override { DataFile::SetPath({}); }

    // The message the session gives for the file; empty when it opens.
    QString refusal()
    {
        try {
            session.open();
            return {};
        } catch (const DataError &error) {
            return error.message();
        }
    }
};

TEST_F(DataFileTest, NewFileIsEncryptedOwnerOnlyAndSeeded)
{
    session.openOrCreate();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.mdb")});

    // Without the key the engine cannot read it.
    QProcess probe;
    probe.start(QStringLiteral("sqlcipher"), {path, QStringLiteral("select count(*) from sqlite_master;")});
    ASSERT_TRUE(probe.waitForFinished());
    EXPECT_TRUE(probe.exitCode() != 0 || !probe.readAllStandardError().isEmpty());

    RowSet settings(session);
    ReopenQuery(settings, QStringLiteral("select * from dynr"));
    ASSERT_EQ(settings.recordCount(), 1);
    EXPECT_EQ(settings.text(QStringLiteral("店名")), QString());
    EXPECT_EQ(settings.text(QStringLiteral("pos")), QStringLiteral("58"));
    EXPECT_EQ(settings.text(QStringLiteral("modle")), QStringLiteral("一联"));
    EXPECT_EQ(settings.text(QStringLiteral("print")), QStringLiteral("1"));

    RowSet tickets(session);
    ReopenQuery(tickets, QStringLiteral("select * from xstj"));
    QStringList columns;
    for (int i = 0; i < tickets.columnCount(); ++i)
        columns << tickets.columnName(i);
    EXPECT_EQ(columns.join(QLatin1Char(',')), QStringLiteral("序号,单号,时间,数量,金额,折后,收银员,支付,找零"));

    // Opening it again keeps what it holds.
    session.close();
    session.openOrCreate();
    ReopenQuery(settings, QStringLiteral("select * from dynr"));
    EXPECT_EQ(settings.recordCount(), 1);
}

TEST_F(DataFileTest, UnusableFilesAreRefusedAndNeverTouched)
{
    struct Case
    {
        const char *what;
        QByteArray content;
        const char *problem;
    };
    const Case cases[] = {
        {"text", "just some text, not a database\n", "不是本程序的数据文件，或密码不符"},
        {"empty", QByteArray(), "文件是空的，不是本程序的数据文件"},
        {"zeros", QByteArray(4096, '\0'), "不是本程序的数据文件，或密码不符"},
    };
    for (const Case &c : cases) {
        writeFile(path, c.content);
        const QByteArray before = fingerprint(path);
        Session refused;
        refused.setConnectionString(path);
        try {
            refused.openOrCreate();
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const DataError &error) {
            EXPECT_TRUE(error.message().contains(path)) << c.what;
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.problem))) << error.message().toStdString();
        }
        // Later statements are refused with the same words; nothing writes the file.
        EXPECT_THROW(refused.exec(QStringLiteral("delete from xsxx")), DataError) << c.what;
        EXPECT_EQ(fingerprint(path), before) << c.what;
        EXPECT_EQ(QFile(path).size(), c.content.size()) << c.what;
    }
}

TEST_F(DataFileTest, AFolderInPlaceOfTheFileIsCalledAFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("data.mdb")));
    const QString message = refusal();
    EXPECT_TRUE(message.contains(path));
    EXPECT_TRUE(message.contains(QStringLiteral("这是一个文件夹"))) << message.toStdString();
    EXPECT_THROW(session.openOrCreate(), DataError);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(DataFileTest, MissingColumnIsNamed)
{
    session.openOrCreate();
    session.exec(QStringLiteral("create table t2 as select 单号, 时间 from xstj"));
    session.exec(QStringLiteral("drop table xstj"));
    session.exec(QStringLiteral("alter table t2 rename to xstj"));
    session.close();
    const QByteArray before = fingerprint(path);
    EXPECT_TRUE(refusal().contains(QStringLiteral("表 xstj 缺少列 序号"))) << refusal().toStdString();
    EXPECT_EQ(fingerprint(path), before);
}

// Another program's write lock is waited for, not taken for a foreign file.
TEST_F(DataFileTest, AFileLockedForAMomentOpensOnceTheLockIsGone)
{
    session.openOrCreate();
    session.close();
    HelperProcess writer({QStringLiteral("lock"), path, QStringLiteral("800")});
    ASSERT_EQ(writer.readLine(), QStringLiteral("locked"));
    EXPECT_EQ(refusal(), QString());
    EXPECT_EQ(session.exec(QStringLiteral("delete from xsxx")), 0);
}

TEST_F(DataFileTest, AReadOnlyFileIsSaidAtOpening)
{
    session.openOrCreate();
    session.close();
    QFile::setPermissions(dir.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                              | QFile::ReadOther | QFile::ExeOther);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = fingerprint(path);

    // Run as an unprivileged user: the owner (or root) could still write it.
    HelperProcess start({QStringLiteral("open"), path});
    const QString message = start.readLine();
    EXPECT_TRUE(message.contains(path)) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("文件是只读的"))) << message.toStdString();
    EXPECT_EQ(fingerprint(path), before);
}

} // namespace
