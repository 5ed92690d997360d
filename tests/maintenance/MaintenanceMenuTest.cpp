#include "maintenance/MaintenanceMenu.h"
#include "maintenance/HelpWindow.h"

#include "base/AppError.h"
#include "data/shop/CurrentTicket.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"
#include "tests/maintenance/MaintenanceFixtures.h"
#include "tests/support/RecordingResponder.h"
#include "tests/support/SmallDisk.h"
#include "tests/support/TempData.h"

#include <QDir>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>

#include <sys/resource.h>

using Fixtures::Bytes;

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

class MaintenanceEntries : public ::testing::Test
{
protected:
    // The counter's ticket lines stay open on the session, as in the program.
    void SetUp() override
    {
        session.open();
        CurrentTicket::Open(lines);
    }

    // Answers the file dialog of a menu entry with `chosen`; the last message shown.
    QString choose(void (MaintenanceMenu::*entry)(), const QString &chosen)
    {
        responder.fileAnswers = {chosen};
        (menu.*entry)();
        return responder.shown.empty() ? QString() : responder.shown.back().text;
    }
    QString backup(const QString &chosen) { return choose(&MaintenanceMenu::backUp, chosen); }
    QString restore(const QString &chosen) { return choose(&MaintenanceMenu::restore, chosen); }
    void setShopName(const char *name) const
    {
        data.exec(QStringLiteral("update dynr set 店名 = '%1'").arg(QString::fromUtf8(name)));
    }
    QString shopName() const { return data.scalar(QStringLiteral("select 店名 from dynr")); }
    // The session writes into the file now in place.
    void expectTheSessionWritesTheFile()
    {
        session.exec(QStringLiteral("insert into xsxx(品名, 数量) values('可乐', 1)"));
        EXPECT_EQ(data.count(QStringLiteral("xsxx")), 1);
    }

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
    setShopName("东街店");
    backup(folder.filePath(QStringLiteral("shop")));
    ASSERT_EQ(responder.texts(), std::vector<QString>{kBackupDone});
    EXPECT_TRUE(session.isOpen()); // a backup leaves the session as it was

    setShopName("西街店");
    const QByteArray replaced = Bytes(data.file());
    EXPECT_EQ(restore(folder.filePath(QStringLiteral("shop.bak"))), kRestoreDone);
    EXPECT_EQ(restored.size(), 1); // the run ends on this
    EXPECT_EQ(shopName(), QStringLiteral("东街店"));
    expectTheSessionWritesTheFile();

    // It asked first and kept the data it replaced.
    EXPECT_TRUE(responder.shown.at(responder.shown.size() - 2).text.contains(QStringLiteral("程序将退出")));
    const QStringList kept = QDir(data.dir()).entryList({QStringLiteral("data.mdb.*.bak")});
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(Bytes(QDir(data.dir()).filePath(kept.front())), replaced);

    // No is the safe answer; a file dialog cancelled does nothing.
    const size_t shown = responder.shown.size();
    QSignalSpy closing(&session, &Session::aboutToClose);
    responder.confirmAnswer = false;
    restore(folder.filePath(QStringLiteral("shop.bak")));
    menu.backUp();
    menu.restore();
    EXPECT_EQ(responder.shown.size(), shown + 1); // the question only
    EXPECT_EQ(closing.size(), 0);
    EXPECT_EQ(restored.size(), 1);
}

// A copy that fails after the session was closed leaves the current data in
// place, and the session is open on it again for the windows to re-query.
TEST_F(MaintenanceEntries, RestoreThatFailsWhileCopyingReconnects)
{
    ASSERT_EQ(backup(folder.filePath(QStringLiteral("shop.bak"))), kBackupDone);
    setShopName("西街店");
    const QByteArray before = Bytes(data.file());
    QSignalSpy opened(&session, &Session::opened);
    {
        FileSizeLimit limit(512);
        const QString said = restore(folder.filePath(QStringLiteral("shop.bak")));
        EXPECT_TRUE(said.startsWith(kRestoreFailed)) << said.toStdString();
    }
    EXPECT_TRUE(restored.isEmpty());
    EXPECT_EQ(Bytes(data.file()), before);
    EXPECT_EQ(QDir(data.dir()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("data.mdb")});
    EXPECT_EQ(opened.size(), 1);
    expectTheSessionWritesTheFile();
    EXPECT_EQ(shopName(), QStringLiteral("西街店"));
}

// Each failure says why, in the owner's words.
TEST_F(MaintenanceEntries, FailuresSayWhy)
{
    SmallDisk full;
    full.fillUpBut(0);
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
    // In the order written; a null message: no file system of its own to fill here.
    const struct
    {
        const char *what;
        QString message;
        QStringList reason;
    } cases[] = {
        {"backup onto a full disk",
         full.mounted() ? backup(full.path(QStringLiteral("shop"))) : QString(),
         {kBackupFailed, QStringLiteral("磁盘已满")}},
        {"backup into a folder that is not there",
         backup(folder.filePath(QStringLiteral("missing/shop"))),
         {kBackupFailed, QStringLiteral("不存在")}},
        {"restore of a file cut short", restore(cut), {kRestoreFailed, QStringLiteral("已损坏")}},
        {"a data file cut short", opening(cut), {cut, QStringLiteral("已损坏"), QStringLiteral("恢复")}},
        {"a new data file on a full disk",
         full.mounted() ? opening(full.path(QStringLiteral("data.mdb"))) : QString(),
         {QStringLiteral("磁盘已满")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.message.isNull())
            continue;
        for (const QString &part : c.reason)
            EXPECT_TRUE(c.message.contains(part)) << c.message.toStdString();
    }
}

// 帮助主题 opens the pages in the program's own window; every page shows and
// is reached from another, and every link leads to a page that is there.
TEST_F(MaintenanceEntries, HelpShowsEveryPageAndNoLinkIsBroken)
{
    menu.openHelp();
    auto *window = owner.findChild<HelpWindow *>();
    ASSERT_TRUE(window && window->isVisible());
    EXPECT_TRUE(responder.shown.empty());
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("HelpBrowser"));
    const QDir help(browser->source().adjusted(QUrl::RemoveFilename).toLocalFile());
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("销售小票打印 使用帮助"));

    static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
    QStringList reached;
    for (const QString &page : help.entryList({QStringLiteral("*.html")})) {
        browser->setSource(QUrl::fromLocalFile(help.filePath(page)));
        EXPECT_FALSE(browser->toPlainText().trimmed().isEmpty()) << page.toStdString();
        for (const QRegularExpressionMatch &match : link.globalMatch(QString::fromUtf8(Bytes(help.filePath(page))))) {
            EXPECT_TRUE(help.exists(match.captured(1)))
                << page.toStdString() << " → " << match.captured(1).toStdString();
            reached << match.captured(1);
        }
    }
    for (const QString &page : help.entryList({QStringLiteral("*.html")}))
        EXPECT_TRUE(reached.contains(page)) << page.toStdString();
}

} // namespace
