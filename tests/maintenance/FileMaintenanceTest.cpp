#include "data/store/FileMaintenance.h"

#include "base/AppError.h"
#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/maintenance/MaintenanceFixtures.h"
#include "tests/support/TempData.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using Fixtures::Bytes;

namespace {

// A database beside the test data holding copies of `tables` of the test data,
// under `key` (an empty key gives a plain, unencrypted database).
void MakeDatabase(const TempData &data, const QString &path, const QString &key, const QStringList &tables)
{
    // An empty file is an empty database; the connection does not create files.
    Fixtures::WriteBytes(path, {});
    Session connection;
    connection.setConnectionString(data.file());
    connection.exec(QStringLiteral("ATTACH DATABASE ?1 AS other KEY ?2"), {path, key});
    for (const QString &table : tables)
        connection.exec(QStringLiteral("CREATE TABLE other.%1 AS SELECT * FROM main.%1").arg(table));
    connection.exec(QStringLiteral("DETACH DATABASE other"));
}

QString Scalar(const QString &path, const QString &sql)
{
    Session connection;
    connection.setConnectionString(path);
    RowSet rows(connection);
    rows.setStatement(sql);
    rows.open();
    return rows.recordCount() ? rows.textAt(0, 0) : QString();
}

} // namespace

TEST(CopyDataFile, WritesAByteCopyThatReplacesTheTarget)
{
    TempData data;
    data.exec(QStringLiteral("insert into spxx(品名, 单价) values('可乐', 3)"));
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("copy.bak"));
    Fixtures::WriteBytes(target, "an older copy");

    FileMaintenance::CopyDataFile(data.file(), target);

    EXPECT_EQ(Bytes(target), Bytes(data.file()));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("copy.bak")}); // no temporary file left
}

TEST(CopyDataFile, RefusesWhatIsNotADataFileAndLeavesTheTargetAsItWas)
{
    TempData data;
    QTemporaryDir in;
    QTemporaryDir out;
    const QString text = in.filePath(QStringLiteral("notes.txt"));
    Fixtures::WriteBytes(text, "收银员交班记录\n");
    const QString empty = in.filePath(QStringLiteral("empty.bak"));
    Fixtures::WriteBytes(empty, {});
    const QStringList allTables{QStringLiteral("spxx"), QStringLiteral("xsxx"), QStringLiteral("dynr"),
                                QStringLiteral("xstj"), QStringLiteral("xsmx")};
    const QString otherKey = in.filePath(QStringLiteral("other.bak"));
    MakeDatabase(data, otherKey, QStringLiteral("another key"), allTables);
    const QString plain = in.filePath(QStringLiteral("plain.bak"));
    MakeDatabase(data, plain, QString(), allTables);
    const QString partial = in.filePath(QStringLiteral("partial.bak"));
    MakeDatabase(data, partial, QString::fromLatin1(DataFile::kPassword), {QStringLiteral("spxx")});

    const QString target = out.filePath(QStringLiteral("data.mdb"));
    Fixtures::WriteBytes(target, "current data");
    for (const QString &source : {text, empty, otherKey, plain, partial, in.filePath(QStringLiteral("missing.bak"))}) {
        SCOPED_TRACE(source.toStdString());
        EXPECT_THROW(FileMaintenance::CopyDataFile(source, target), DataError);
        EXPECT_EQ(Bytes(target), QByteArray("current data"));
        EXPECT_EQ(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.mdb")});
    }
}

// While a writer has put pages of an unfinished transaction into the file, a
// copy of the bytes would be torn; the copy is refused instead.
TEST(CopyDataFile, NeverCopiesAnUnfinishedTransaction)
{
    TempData data;
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("copy.bak"));
    const qint64 sizeBefore = QFileInfo(data.file()).size();
    {
        Session writer;
        writer.setConnectionString(data.file());
        writer.exec(QStringLiteral("PRAGMA cache_size=10"));
        Transaction transaction(writer.file());
        const QString remark(400, QLatin1Char('x'));
        for (int i = 0; i < 300; ++i)
            writer.exec(QStringLiteral("insert into spxx(品名, 单价, 备注) values(?1, 1, ?2)"),
                        {QStringLiteral("商品%1").arg(i), remark});
        // The transaction's pages are in the file (its size is taken without
        // opening it, which would drop the writer's locks).
        ASSERT_GT(QFileInfo(data.file()).size(), sizeBefore);

        EXPECT_THROW(FileMaintenance::CopyDataFile(data.file(), target), DataError);
        EXPECT_FALSE(QFile::exists(target));
    }
    // Rolled back: the copy now holds the file as it was.
    FileMaintenance::CopyDataFile(data.file(), target);
    EXPECT_EQ(Scalar(target, QStringLiteral("select count(*) from spxx")), QStringLiteral("0"));
}

// A session on a file in write-ahead-log mode (as another tool may leave it).
TEST(CopyDataFile, IncludesChangesStillInTheWriteAheadLog)
{
    TempData data;
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("copy.bak"));
    Session writer;
    writer.setConnectionString(data.file());
    writer.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    writer.exec(QStringLiteral("insert into spxx(品名, 单价) values('雪碧', 3.5)"));

    FileMaintenance::CopyDataFile(writer, target);
    writer.close();

    EXPECT_EQ(Scalar(target, QStringLiteral("select 单价 from spxx where 品名 = '雪碧'")), QStringLiteral("3.5"));
}
