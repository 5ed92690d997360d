#include "data/AppError.h"
#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/RowSet.h"
#include "data/mylib.h"

#include <QCryptographicHash>
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

struct DataFileTest : ::testing::Test
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("data.mdb"));
    void TearDown() override { DataFile::SetPath({}); }
};

TEST_F(DataFileTest, NewFileIsEncryptedOwnerOnlyAndSeeded)
{
    DataFile::SetPath(path);
    DataFile::EnsureUsable(path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    EXPECT_EQ(file.permissions() & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther),
              QFile::Permissions());

    // Without the key the engine cannot read it.
    QProcess probe;
    probe.start(QStringLiteral("sqlcipher"), {path, QStringLiteral("select count(*) from sqlite_master;")});
    ASSERT_TRUE(probe.waitForFinished());
    EXPECT_TRUE(probe.exitCode() != 0 || !probe.readAllStandardError().isEmpty());

    Connection connection;
    RowSet settings(connection);
    ReopenQuery(settings, QStringLiteral("select * from dynr"));
    ASSERT_EQ(settings.recordCount(), 1);
    EXPECT_EQ(settings.text(QStringLiteral("店名")), QString());
    EXPECT_EQ(settings.text(QStringLiteral("pos")), QStringLiteral("58"));
    EXPECT_EQ(settings.text(QStringLiteral("modle")), QStringLiteral("一联"));
    EXPECT_EQ(settings.text(QStringLiteral("print")), QStringLiteral("1"));

    RowSet tickets(connection);
    ReopenQuery(tickets, QStringLiteral("select * from xstj"));
    QStringList columns;
    for (int i = 0; i < tickets.columnCount(); ++i)
        columns << tickets.columnName(i);
    EXPECT_EQ(columns.join(QLatin1Char(',')), QStringLiteral("序号,单号,时间,数量,金额,折后,收银员"));

    // Opening it again keeps what it holds.
    DataFile::EnsureUsable(path);
    EXPECT_TRUE(DataFile::Problem().isEmpty());
}

TEST_F(DataFileTest, UnusableFilesAreRefusedAndNeverTouched)
{
    struct Case { const char *what; QByteArray content; const char *problem; };
    const Case cases[] = {
        {"text", "just some text, not a database\n", "不是本程序的数据文件"},
        {"empty", QByteArray(), "缺少表 spxx"},
        {"zeros", QByteArray(4096, '\0'), "不是本程序的数据文件"},
    };
    for (const Case &c : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        const QByteArray before = fingerprint(path);

        DataFile::SetPath(path);
        try {
            DataFile::EnsureUsable(path);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const DataError &error) {
            EXPECT_TRUE(error.message().contains(path)) << c.what;
            EXPECT_TRUE(error.message().contains(QString::fromUtf8(c.problem))) << error.message().toStdString();
        }
        // Windows that try to connect are refused as well; nothing writes the file.
        Connection connection;
        EXPECT_THROW(connection.exec(QStringLiteral("delete from xsxx")), DataError) << c.what;
        EXPECT_EQ(fingerprint(path), before) << c.what;
        EXPECT_EQ(QFile(path).size(), c.content.size()) << c.what;
    }
}

TEST_F(DataFileTest, MissingColumnIsNamed)
{
    DataFile::SetPath(path);
    DataFile::EnsureUsable(path);
    {
        Connection connection;
        connection.exec(QStringLiteral("create table t2 as select 单号, 时间 from xstj"));
        connection.exec(QStringLiteral("drop table xstj"));
        connection.exec(QStringLiteral("alter table t2 rename to xstj"));
    }
    const QByteArray before = fingerprint(path);
    try {
        DataFile::EnsureUsable(path);
        FAIL() << "a table without its columns was accepted";
    } catch (const DataError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("表 xstj 缺少列 序号"))) << error.message().toStdString();
    }
    EXPECT_EQ(fingerprint(path), before);
}

} // namespace
