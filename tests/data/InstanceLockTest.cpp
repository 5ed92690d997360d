#include "data/store/InstanceLock.h"

#include "base/AppError.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kRunning = "程序已在运行。";

struct InstanceLockTest : ::testing::Test
{
    QTemporaryDir dir;
    QString file = dir.filePath("data.mdb");
};

// However the second program reaches the first one's file, it does not start
// and says why; the first one's ticket stays as it was. Once the first one is
// killed, the file can be taken.
TEST_F(InstanceLockTest, ASecondProgramOnTheSameFileIsRefused)
{
    const QTemporaryDir elsewhere;
    const QString linked = elsewhere.filePath("data.mdb");
    struct Case
    {
        const char *what;
        std::function<QString()> secondFile; // prepares the way, gives the second's data file
        QString reason;
        bool asOtherUser;
    };
    const Case cases[] = {
        {"the same path", [&] { return file; }, kRunning, false},
        {"symbolic link", [&] { return QFile::link(file, linked) ? linked : QString(); }, kRunning, false},
        {"hard link",
         [&] { return ::link(QFile::encodeName(file), QFile::encodeName(linked)) == 0 ? linked : QString(); }, kRunning,
         false},
        {"file it may not open",
         [&] {
             ::chmod(QFile::encodeName(dir.path()), 0705); // others may reach the file, not read it
             ::chmod(QFile::encodeName(file), 0);
             return file;
         },
         "没有权限", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(linked);
        QFile::remove(file);
        HelperProcess first({"hold", file});
        ASSERT_EQ(first.readLine(), "held");
        EXPECT_TRUE(InstanceLock::IsHeld(file, QString()));
        Session ticket;
        ticket.setConnectionString(file);
        ticket.exec("insert into xsxx(品名, 单价, 数量) values('可乐', 3, 3)");

        const QString second = c.secondFile();
        ASSERT_FALSE(second.isEmpty());
        HelperProcess refused({"hold", second, c.asOtherUser ? "other" : QString()});
        const QString message = refused.readLine();
        EXPECT_TRUE(message.contains(c.reason) && message.contains(second)) << message.toStdString();
        ::chmod(QFile::encodeName(file), 0600);
        EXPECT_EQ(ticket.exec("delete from xsxx where 数量 = 3"), 1); // the line is still there

        first.kill(); // no clean exit: the system drops the lock
        InstanceLock after(file);
        EXPECT_NO_THROW(after.acquire());
    }
}

// A program started by ours (a browser, a help viewer) must not keep the lock.
TEST_F(InstanceLockTest, ProgramsStartedMeanwhileDoNotInheritTheLock)
{
    QProcess lingering;
    {
        InstanceLock lock(file);
        ASSERT_NO_THROW(lock.acquire());
        lingering.start("sleep", {"30"});
        ASSERT_TRUE(lingering.waitForStarted());
    }
    EXPECT_FALSE(InstanceLock::IsHeld(file, QString())); // the sleep is killed as `lingering` goes
}

} // namespace
