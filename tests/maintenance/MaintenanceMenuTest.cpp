#include "maintenance/MaintenanceMenu.h"

#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/store/DataFile.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/maintenance/MaintenanceFixtures.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TempData.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <unistd.h>

using Fixtures::Bytes;
using Fixtures::Scalar;

namespace {

const QString kBackupDone = QStringLiteral("数据备份成功！");
const QString kBackupFailed = QStringLiteral("数据备份失败，请重新备份！");
const QString kRestoreDone = QStringLiteral("数据恢复成功！");
const QString kRestoreFailed = QStringLiteral("数据恢复失败，请重新恢复！");

// Files larger than the limit cannot be written while it lasts.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

// Root writes where others may not: the test acts as an unprivileged user meanwhile.
class AsOtherUser
{
public:
    AsOtherUser()
        : m_switched(geteuid() == 0 && ::setegid(65534) == 0 && ::seteuid(65534) == 0)
    { }
    ~AsOtherUser()
    {
        if (m_switched && ::seteuid(0) == 0)
            ::setegid(0);
    }

private:
    bool m_switched;
};

class MaintenanceEntries : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.exec(QStringLiteral("insert into spxx(品名, 单价) values('可乐', 3)"));
        session.open();
        CurrentTicket::Open(lines);
    }

    void recordTicket(const QString &number) const
    {
        data.exec(QStringLiteral("insert into xstj(单号, 时间, 数量, 金额, 折后, 收银员) "
                                 "values('%1', '2024-05-01 10:00:00', 1, 3, 3, '小王')")
                      .arg(number));
    }
    int tickets(const QString &number) const
    {
        return data.count(QStringLiteral("xstj where 单号 = '%1'").arg(number));
    }
    void addLine(const QString &product, const QString &quantity, const QString &afterDiscount)
    {
        lines.append();
        lines.setText(QStringLiteral("品名"), product);
        lines.setText(QStringLiteral("单价"), QStringLiteral("3"));
        lines.setText(QStringLiteral("数量"), quantity);
        lines.setText(QStringLiteral("折后"), afterDiscount);
        lines.post();
    }
    void backup(const QString &chosen)
    {
        responder.fileAnswers = {chosen};
        menu.backUp();
    }
    void restore(const QString &chosen)
    {
        responder.fileAnswers = {chosen};
        menu.restore();
    }
    QString lastMessage() const { return responder.shown.empty() ? QString() : responder.shown.back().text; }

    TempData data;
    RecordingResponder responder;
    QTemporaryDir folder;
    Session session;
    RowSet lines{session};
    QWidget owner;
    MaintenanceMenu menu{session, &owner};
    QSignalSpy restored{&menu, &MaintenanceMenu::restored};
};

TEST_F(MaintenanceEntries, RestoreBringsBackTheBackedUpDataAndEndsTheRun)
{
    recordTicket(QStringLiteral("20240501100000"));
    data.exec(QStringLiteral("update dynr set 店名 = '东街店'"));
    backup(folder.filePath(QStringLiteral("shop")));
    ASSERT_EQ(responder.texts(), std::vector<QString>{kBackupDone});
    EXPECT_TRUE(session.isOpen()); // a backup leaves the session as it was

    recordTicket(QStringLiteral("20240501110000"));
    data.exec(QStringLiteral("update dynr set 店名 = '西街店'"));
    restore(folder.filePath(QStringLiteral("shop.bak")));
    EXPECT_EQ(lastMessage(), kRestoreDone);
    EXPECT_EQ(restored.size(), 1); // the run ends on this
    EXPECT_EQ(tickets(QStringLiteral("20240501100000")), 1);
    EXPECT_EQ(tickets(QStringLiteral("20240501110000")), 0);
    EXPECT_EQ(data.scalar(QStringLiteral("select 店名 from dynr")), QStringLiteral("东街店"));
    CurrentTicket::Open(lines); // the same session works on the restored file
    addLine(QStringLiteral("可乐"), QStringLiteral("1"), QStringLiteral("3"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);

    // It asked first, No being the safe answer, and kept the data it replaced.
    EXPECT_TRUE(responder.shown.at(responder.shown.size() - 2).text.contains(QStringLiteral("程序将退出")));
    const QStringList kept = QDir(data.dir()).entryList({QStringLiteral("data.mdb.*.bak")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Scalar(QDir(data.dir()).filePath(kept.front()), QStringLiteral("select 店名 from dynr")),
              QStringLiteral("西街店"));
    responder.confirmAnswer = false;
    restore(folder.filePath(QStringLiteral("shop.bak")));
    EXPECT_EQ(restored.size(), 1);
}

TEST_F(MaintenanceEntries, CancelledDialogsDoNothing)
{
    const QByteArray before = Bytes(data.file());
    QSignalSpy closing(&session, &Session::aboutToClose);
    menu.backUp(); // no answer: cancelled
    menu.restore();
    EXPECT_TRUE(responder.shown.empty());
    EXPECT_EQ(closing.size(), 0);
    EXPECT_TRUE(restored.isEmpty());
    EXPECT_EQ(Bytes(data.file()), before);
}

// Why each file is refused is the copy's; the window asks first, says it
// failed, and keeps working on the data it had.
TEST_F(MaintenanceEntries, RestoreRefusesWhatIsNotOurDataAndKeepsWorking)
{
    recordTicket(QStringLiteral("20240501100000"));
    const QString partial = folder.filePath(QStringLiteral("partial.bak"));
    Fixtures::MakeDatabase(data, partial, QString::fromLatin1(DataFile::kPassword), {QStringLiteral("spxx")});
    const QByteArray before = Bytes(data.file());

    restore(partial);

    ASSERT_EQ(responder.shown.size(), 2u);
    EXPECT_TRUE(lastMessage().startsWith(kRestoreFailed)) << lastMessage().toStdString();
    EXPECT_EQ(Bytes(data.file()), before);
    EXPECT_TRUE(restored.isEmpty());
    addLine(QStringLiteral("可乐"), QStringLiteral("1"), QStringLiteral("3"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(tickets(QStringLiteral("20240501100000")), 1);
}

// A copy that fails after the session was closed leaves the current data in
// place, and the session is open on it again for the windows to re-query.
TEST_F(MaintenanceEntries, RestoreThatFailsWhileCopyingReconnects)
{
    backup(folder.filePath(QStringLiteral("shop.bak")));
    ASSERT_EQ(lastMessage(), kBackupDone);
    recordTicket(QStringLiteral("20240501110000"));
    const QByteArray before = Bytes(data.file());
    QSignalSpy opened(&session, &Session::opened);
    {
        FileSizeLimit limit(512);
        restore(folder.filePath(QStringLiteral("shop.bak")));
    }
    EXPECT_TRUE(lastMessage().startsWith(kRestoreFailed)) << lastMessage().toStdString();
    EXPECT_EQ(Bytes(data.file()), before);
    EXPECT_EQ(QDir(data.dir()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.mdb")});

    EXPECT_EQ(opened.size(), 1);
    EXPECT_FALSE(lines.isOpen()); // closed with the session, until its window re-queries
    CurrentTicket::Open(lines);
    addLine(QStringLiteral("可乐"), QStringLiteral("1"), QStringLiteral("3"));
    EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    EXPECT_EQ(tickets(QStringLiteral("20240501110000")), 1);
}

// Each failure says why, in the owner's words.
TEST_F(MaintenanceEntries, FailuresSayWhy)
{
    SmallDisk full;
    full.fillUpBut(0);
    const QString closed = folder.filePath(QStringLiteral("closed"));
    QDir(folder.path()).mkdir(QStringLiteral("closed"));
    QFile::setPermissions(closed, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const QString cut = folder.filePath(QStringLiteral("cut.bak"));
    data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
                             "insert into spxx(品名) select '商品' || i from n"));
    backup(cut);
    QFile(cut).resize(QFile(cut).size() / 2);
    const auto opening = [](const QString &file) {
        Session other;
        other.setConnectionString(file);
        try {
            other.openOrCreate();
        } catch (const DataError &error) {
            return error.message();
        }
        return QString();
    };
    const struct
    {
        const char *what;
        bool fillsTheDisk;
        std::function<QString()> failure; // the message shown
        QStringList reason;
    } cases[] = {
        {"backup onto a full disk",
         true,
         [&] {
             backup(full.path(QStringLiteral("shop")));
             return lastMessage();
         },
         {kBackupFailed, QStringLiteral("磁盘已满")}},
        {"backup into a folder that is not there",
         false,
         [&] {
             backup(folder.filePath(QStringLiteral("missing/shop")));
             return lastMessage();
         },
         {kBackupFailed, QStringLiteral("不存在")}},
        {"backup into a folder it may not write",
         false,
         [&] {
             const AsOtherUser other;
             backup(closed + QStringLiteral("/shop"));
             return lastMessage();
         },
         {kBackupFailed, QStringLiteral("没有权限")}},
        {"restore of a file cut short",
         false,
         [&] {
             restore(cut);
             return lastMessage();
         },
         {kRestoreFailed, QStringLiteral("已损坏")}},
        {"a data file cut short",
         false,
         [&] { return opening(cut); },
         {cut, QStringLiteral("已损坏"), QStringLiteral("恢复")}},
        {"a new data file on a full disk",
         true,
         [&] { return opening(full.path(QStringLiteral("data.mdb"))); },
         {QStringLiteral("磁盘已满")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.fillsTheDisk && !full.mounted())
            continue; // no file system of its own to fill here
        const QString message = c.failure();
        for (const QString &part : c.reason)
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
    }
}

} // namespace
