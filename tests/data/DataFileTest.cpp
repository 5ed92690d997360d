#include "data/store/DataFile.h"
#include "base/AppError.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <sys/stat.h>

namespace {

QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                                          : QByteArray(); // a folder
}

struct DataFileTest : ::testing::Test
{
    QTemporaryDir dir;
    QString path = dir.filePath("data.mdb");
    Session session;
    void SetUp() override { session.setConnectionString(path); }
    void TearDown() override { DataFile::SetPath({}); }
};

TEST_F(DataFileTest, ANewFileIsEncryptedAndOwnerOnly)
{
    session.openOrCreate();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"data.mdb"});
}

// A file that is no data file of this program is refused, saying why, and
// never written: neither at opening nor by later statements.
TEST_F(DataFileTest, UnusableFilesAreRefusedAndNeverTouched)
{
    const auto write = [this](const QByteArray &content) {
        return [this, content] {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
        };
    };
    const std::pair<std::function<void()>, const char *> cases[] = {
        {write("just some text, not a database\n"), "不是本程序的数据文件，或密码不符"},
        {write(QByteArray()), "文件是空的，不是本程序的数据文件"},
        {write(QByteArray(4096, '\0')), "不是本程序的数据文件，或密码不符"},
        {[this] { QDir(dir.path()).mkdir("data.mdb"); }, "这是一个文件夹"},
        {[this] {
             session.openOrCreate();
             session.exec("create table t2 as select 单号, 时间 from xstj");
             session.exec("drop table xstj");
             session.exec("alter table t2 rename to xstj");
             session.close();
         },
         "表 xstj 缺少列 序号"},
    };
    for (const auto &[make, problem] : cases) {
        SCOPED_TRACE(problem);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        make();
        const QByteArray before = fingerprint(path);
        Session refused;
        refused.setConnectionString(path);
        try {
            refused.openOrCreate();
            ADD_FAILURE() << "accepted";
        } catch (const DataError &error) {
            EXPECT_TRUE(error.message().contains(path) && error.message().contains(QString::fromUtf8(problem)))
                << error.message().toStdString();
        }
        EXPECT_THROW(refused.exec("delete from xsxx"), DataError);
        EXPECT_EQ(fingerprint(path), before);
    }
}

// Another program's write lock is waited for, not taken for a foreign file.
TEST_F(DataFileTest, AFileLockedForAMomentOpensOnceTheLockIsGone)
{
    session.openOrCreate();
    session.close();
    HelperProcess writer({"lock", path, "800"});
    ASSERT_EQ(writer.readLine(), "locked");
    EXPECT_NO_THROW(session.open());
    EXPECT_EQ(session.exec("delete from xsxx"), 0);
}

TEST_F(DataFileTest, AReadOnlyFileIsSaidAtOpening)
{
    session.openOrCreate();
    session.close();
    ::chmod(QFile::encodeName(dir.path()), 0755);
    ::chmod(QFile::encodeName(path), 0444);

    // Run as an unprivileged user: the owner (or root) could still write it.
    HelperProcess start({"hold", path, "other"});
    const QString message = start.readLine();
    EXPECT_TRUE(message.contains(path) && message.contains("文件是只读的")) << message.toStdString();
}

} // namespace
