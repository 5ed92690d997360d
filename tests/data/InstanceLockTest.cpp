#include "data/InstanceLock.h"

#include "tests/data/HelperProcess.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct InstanceLockTest : ::testing::Test
{
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("data.mdb"));
};

TEST_F(InstanceLockTest, ASecondProgramIsToldTheFileIsTakenUntilTheFirstDies)
{
    HelperProcess first({QStringLiteral("hold"), file});
    ASSERT_EQ(first.readLine(), QStringLiteral("held"));
    EXPECT_TRUE(InstanceLock::IsHeld(file));
    InstanceLock second(file);
    EXPECT_FALSE(second.acquire());

    first.kill(); // no clean exit: the system drops the lock
    EXPECT_FALSE(InstanceLock::IsHeld(file));
    EXPECT_TRUE(second.acquire());
    HelperProcess third({QStringLiteral("hold"), file});
    EXPECT_EQ(third.readLine(), QStringLiteral("running"));
}

// A program started by ours (a browser, a help viewer) must not keep the lock.
TEST_F(InstanceLockTest, ProgramsStartedMeanwhileDoNotInheritTheLock)
{
    QProcess lingering;
    {
        InstanceLock lock(file);
        ASSERT_TRUE(lock.acquire());
        lingering.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        ASSERT_TRUE(lingering.waitForStarted());
    }
    EXPECT_FALSE(InstanceLock::IsHeld(file));
    lingering.kill();
    lingering.waitForFinished();
}

} // namespace
