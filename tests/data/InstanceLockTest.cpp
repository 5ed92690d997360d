#include "data/store/InstanceLock.h"

#include "base/AppError.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

namespace {

const QString kRunning = QStringLiteral("程序已在运行。");

struct InstanceLockTest : ::testing::Test
{
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("data.mdb"));
};

TEST_F(InstanceLockTest, ASecondProgramIsToldTheFileIsTakenUntilTheFirstDies)
{
    HelperProcess first({QStringLiteral("hold"), file});
    ASSERT_EQ(first.readLine(), QStringLiteral("held"));
    EXPECT_TRUE(InstanceLock::IsHeld(file, QString()));
    InstanceLock second(file);
    EXPECT_THROW(second.acquire(), DataError);

    first.kill(); // no clean exit: the system drops the lock
    EXPECT_FALSE(InstanceLock::IsHeld(file, QString()));
    EXPECT_NO_THROW(second.acquire());
    HelperProcess third({QStringLiteral("hold"), file});
    EXPECT_TRUE(third.readLine().startsWith(kRunning));
}

// However the second program reaches the first one's file, it does not start
// and says why; the first one's ticket stays as it was.
TEST_F(InstanceLockTest, ASecondProgramOnTheSameFileIsRefused)
{
    const QTemporaryDir elsewhere;
    const QString linked = elsewhere.filePath(QStringLiteral("data.mdb"));
    struct Case
    {
        const char *what;
        std::function<QString()> secondFile; // prepares the way, gives the second's data file
        bool asOtherUser;
        QString reason;
    };
    const Case cases[] = {
        {"symbolic link", [&] { return QFile::link(file, linked) ? linked : QString(); }, false, kRunning},
        {"hard link",
         [&] { return ::link(QFile::encodeName(file), QFile::encodeName(linked)) == 0 ? linked : QString(); }, false,
         kRunning},
        {"file it may not open",
         [&] {
             QFile::setPermissions(dir.path(),
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                       | QFile::ExeOther);
             QFile::setPermissions(file, {});
             return file;
         },
         true, QStringLiteral("没有权限")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(linked);
        QFile::remove(file);
        HelperProcess first({QStringLiteral("hold"), file});
        ASSERT_EQ(first.readLine(), QStringLiteral("held"));
        Session ticket;
        ticket.setConnectionString(file);
        ticket.exec(QStringLiteral("insert into xsxx(品名, 单价, 数量) values('可乐', 3, 3)"));

        const QString second = c.secondFile();
        ASSERT_FALSE(second.isEmpty());
        QStringList arguments{QStringLiteral("hold"), second};
        if (c.asOtherUser)
            arguments << QStringLiteral("other");
        HelperProcess refused(arguments);
        const QString message = refused.readLine();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        EXPECT_TRUE(message.contains(second)) << message.toStdString();

        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        RowSet lines(ticket);
        lines.setStatement(QStringLiteral("select 数量 from xsxx"));
        lines.open();
        ASSERT_EQ(lines.recordCount(), 1);
        EXPECT_EQ(lines.textAt(0, 0), QStringLiteral("3"));
    }
}

// A program started by ours (a browser, a help viewer) must not keep the lock.
TEST_F(InstanceLockTest, ProgramsStartedMeanwhileDoNotInheritTheLock)
{
    QProcess lingering;
    {
        InstanceLock lock(file);
        ASSERT_NO_THROW(lock.acquire());
        lingering.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        ASSERT_TRUE(lingering.waitForStarted());
    }
    EXPECT_FALSE(InstanceLock::IsHeld(file, QString()));
    lingering.kill();
    lingering.waitForFinished();
}

} // namespace
