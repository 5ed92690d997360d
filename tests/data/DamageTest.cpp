#include "data/store/DamageCheck.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

constexpr int kPageSize = 1024;

// A data file with enough sold lines to span many pages.
void fillLedger(const TempData &data)
{
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                             "insert into xsmx(单号, 品名, 数量) select 'T' || i, '商品' || i, 1 from n"));
}

// Overwrites one page in the middle of the file with random bytes.
void damagePage(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const qint64 page = file.size() / kPageSize / 2;
    QByteArray noise(kPageSize, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(noise.data()), kPageSize / 4);
    file.seek(page * kPageSize);
    file.write(noise);
}

struct DamageTest : ::testing::Test
{
    TempData data;
    Session session;
    void SetUp() override { fillLedger(data); }
};

TEST_F(DamageTest, TheStartUpCheckWarnsOfADamagedFileByName)
{
    damagePage(data.file());
    session.open(); // the tables themselves still open

    DamageCheck check(session);
    QSignalSpy damaged(&check, &DamageCheck::damaged);
    QSignalSpy finished(&check, &DamageCheck::finished);
    check.start();
    ASSERT_TRUE(finished.wait(10000));
    ASSERT_EQ(damaged.size(), 1);
    const QString warning = damaged.at(0).at(0).toString();
    EXPECT_TRUE(warning.contains(data.file())) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("数据恢复"))) << warning.toStdString();
}

TEST_F(DamageTest, AnUndamagedFilePassesSilently)
{
    session.open();
    DamageCheck check(session);
    QSignalSpy damaged(&check, &DamageCheck::damaged);
    QSignalSpy finished(&check, &DamageCheck::finished);
    check.start();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_TRUE(damaged.isEmpty());
}

} // namespace
