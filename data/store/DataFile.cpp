#include "data/store/DataFile.h"
#include "data/store/DataFileHandle.h"

#include "base/AppError.h"
#include "base/SystemError.h"
#include "data/store/EngineError.h"
#include "data/store/Schema.h"
#include "data/store/TicketTotals.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace DataFile {

namespace {

// As long as any statement waits for another program's lock.
constexpr int kBusyTimeoutMs = 5000;

QString &storedPath()
{
    static QString path;
    return path;
}

DataError unusable(const QString &path, const QString &problem)
{
    return DataError(QStringLiteral("数据文件“%1”无法使用：%2").arg(QDir::toNativeSeparators(path), problem));
}

DataBusyError busy(const QString &path)
{
    return DataBusyError(
        QStringLiteral("数据文件“%1”正被其他程序使用，请稍后再试").arg(QDir::toNativeSeparators(path)));
}

// A handle that closes itself unless released.
struct Database
{
    sqlite3 *db = nullptr;
    ~Database() { sqlite3_close(db); }
    QString error() const { return EngineReason(db, sqlite3_extended_errcode(db)); }
    sqlite3 *release() { return std::exchange(db, nullptr); }
};

// Checks what the engine cannot tell apart from an empty database.
void requireRegularFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        throw unusable(path, QStringLiteral("这是一个文件夹，不是数据文件"));
    if (!info.exists())
        throw unusable(path, QStringLiteral("文件不存在"));
    if (info.size() == 0)
        throw unusable(path, QStringLiteral("文件是空的，不是本程序的数据文件"));
}

void openKeyed(Database &database, const QString &path, int flags)
{
    if (sqlite3_open_v2(path.toUtf8().constData(), &database.db, flags, nullptr) != SQLITE_OK)
        throw unusable(path, database.error());
    sqlite3_key(database.db, kPassword, int(qstrlen(kPassword)));
    sqlite3_busy_timeout(database.db, kBusyTimeoutMs);
}

void checkTables(Database &database, const QString &path)
{
    // The key is only checked when a page is read.
    const int rc = sqlite3_exec(database.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc == SQLITE_BUSY)
        throw busy(path);
    // A first page that reads with the key is ours: a file cut short or
    // damaged further on is told as such, not as someone else's.
    if (rc == SQLITE_NOTADB)
        throw unusable(path, QStringLiteral("不是本程序的数据文件，或密码不符"));
    if (rc != SQLITE_OK)
        throw unusable(path, database.error());
    for (const Schema::Table &table : Schema::Tables()) {
        QStringList present;
        sqlite3_stmt *stmt = nullptr;
        const QByteArray sql = QByteArray("PRAGMA table_info(") + table.name + ")";
        if (sqlite3_prepare_v2(database.db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            if (sqlite3_errcode(database.db) == SQLITE_BUSY)
                throw busy(path);
            throw unusable(path, database.error());
        }
        int step = SQLITE_ROW;
        while ((step = sqlite3_step(stmt)) == SQLITE_ROW)
            present << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
        sqlite3_finalize(stmt);
        if (step == SQLITE_BUSY)
            throw busy(path);
        if (present.isEmpty() && table.addedLater)
            continue;
        if (present.isEmpty())
            throw unusable(path, QStringLiteral("缺少表 %1").arg(QString::fromUtf8(table.name)));
        for (const Schema::Column &column : table.columns)
            if (!column.addedLater && !present.contains(QString::fromUtf8(column.name)))
                throw unusable(path,
                               QStringLiteral("表 %1 缺少列 %2")
                                   .arg(QString::fromUtf8(table.name), QString::fromUtf8(column.name)));
    }
}

// The texts of one column of a query's rows: column names, index names.
QStringList namesOf(Database &database, const QByteArray &sql, int nameColumn, const QString &path)
{
    QStringList names;
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(database.db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw unusable(path, database.error());
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, nameColumn)));
    sqlite3_finalize(stmt);
    return names;
}

// Brings a file made by an earlier version up to the current tables: adds
// the columns and indexes it lacks, as one transaction. A file that has them
// all is not written.
void upgrade(Database &database, const QString &path)
{
    QStringList steps;
    for (const Schema::Table &table : Schema::Tables()) {
        const QStringList present = namesOf(database, QByteArray("PRAGMA table_info(") + table.name + ")", 1, path);
        if (present.isEmpty()) {
            steps << Schema::CreationStatement(table);
            continue;
        }
        for (const Schema::Column &column : table.columns)
            if (column.addedLater && !present.contains(QString::fromUtf8(column.name)))
                steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN \"%2\" %3")
                             .arg(QString::fromUtf8(table.name), QString::fromUtf8(column.name),
                                  QString::fromUtf8(column.type));
    }
    const QStringList indexes = namesOf(database, "SELECT name FROM sqlite_master WHERE type = 'index'", 0, path);
    for (const Schema::Index &index : Schema::Indexes())
        if (!indexes.contains(QString::fromUtf8(index.name)))
            steps << Schema::IndexCreation(index, false);
    if (!TicketTotals::IsIn(namesOf(database, "SELECT name FROM sqlite_master", 0, path)))
        for (const QString &statement : TicketTotals::FileStatements())
            steps << statement;
    if (steps.isEmpty())
        return;
    const QByteArray sql
        = (QStringLiteral("BEGIN;\n") + steps.join(QStringLiteral(";\n")) + QStringLiteral(";\nCOMMIT")).toUtf8();
    if (sqlite3_exec(database.db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString error = database.error();
        const bool wasBusy = sqlite3_errcode(database.db) == SQLITE_BUSY;
        sqlite3_exec(database.db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (wasBusy)
            throw busy(path);
        throw unusable(path, error);
    }
}

// Said once here, rather than by every later write failing.
void requireWritable(Database &database, const QString &path)
{
    if (sqlite3_db_readonly(database.db, "main") == 1)
        throw unusable(path, QStringLiteral("文件是只读的，程序无法保存数据"));
    if (!QFileInfo(QFileInfo(path).absolutePath()).isWritable())
        throw unusable(path, QStringLiteral("所在文件夹不可写入，程序无法保存数据"));
}

// A commit is on disk once it returns: with the rollback journal, the journal's
// removal is what commits, and only EXTRA also syncs the folder after removing
// it, so a power cut cannot bring the journal back and roll the sale away. The
// rollback journal (rather than a write-ahead log) keeps the data one file
// with no side files a restore could pair with the wrong data.
void makeCommitsDurable(Database &database, const QString &path)
{
    if (sqlite3_exec(database.db, "PRAGMA synchronous=EXTRA", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw unusable(path, database.error());
}

// Every page read from the file is decrypted and checked first; the statistics
// read a span's pages again and again, so the session keeps more of them.
void keepPagesDecrypted(Database &database, const QString &path)
{
    if (sqlite3_exec(database.db, "PRAGMA cache_size=-32768", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw unusable(path, database.error());
}

// Builds the file under a name of its own and puts it in place only where
// nothing is yet: of two programs making the first file at once, one keeps it
// and the other's goes, so both end up on the same file.
void create(const QString &path)
{
    QByteArray building = QFile::encodeName(path) + ".XXXXXX";
    const int fd = ::mkostemp(building.data(), O_CLOEXEC); // owner-only
    if (fd < 0)
        throw unusable(path, QStringLiteral("无法创建新的数据文件：%1").arg(SystemErrorReason(errno)));
    ::close(fd);
    const QString buildingName = QFile::decodeName(building);
    try {
        Database database;
        openKeyed(database, buildingName, SQLITE_OPEN_READWRITE);
        QStringList script{QStringLiteral("BEGIN")};
        for (const QString &statement : Schema::CreationStatements())
            script << statement;
        script << QStringLiteral("COMMIT");
        const QByteArray sql = script.join(QStringLiteral(";\n")).toUtf8();
        if (sqlite3_exec(database.db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw unusable(path, database.error());
    } catch (...) {
        QFile::remove(buildingName);
        throw;
    }
    const QByteArray target = QFile::encodeName(path);
    int placed = ::renameat2(AT_FDCWD, building.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
    if (placed != 0 && errno == EINVAL) // a file system that cannot refuse to replace
        placed = ::rename(building.constData(), target.constData());
    const int error = errno;
    if (placed != 0)
        QFile::remove(buildingName);
    if (placed != 0 && error != EEXIST)
        throw unusable(path, SystemErrorReason(error));
}

} // namespace

void ResolveAtStartup()
{
    storedPath() = QDir::current().absoluteFilePath(QString::fromLatin1(kFileName));
}

void SetPath(const QString &path)
{
    storedPath() = path;
}

QString Path()
{
    if (storedPath().isEmpty())
        ResolveAtStartup();
    return storedPath();
}

void CreateIfMissing(const QString &path)
{
    // A dangling link counts as something there: it is not replaced.
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink())
        create(path);
}

sqlite3 *Open(const QString &path)
{
    requireRegularFile(path);
    Database database;
    openKeyed(database, path, SQLITE_OPEN_READWRITE);
    checkTables(database, path);
    requireWritable(database, path);
    makeCommitsDurable(database, path);
    keepPagesDecrypted(database, path);
    upgrade(database, path);
    return database.release();
}

void EnsureUsable(const QString &path)
{
    CreateIfMissing(path);
    sqlite3_close(Open(path));
}

sqlite3 *OpenForReading(const QString &path)
{
    requireRegularFile(path);
    Database database;
    openKeyed(database, path, SQLITE_OPEN_READONLY);
    checkTables(database, path);
    return database.release();
}

void Validate(const QString &path, CheckDepth depth)
{
    Database database{OpenForReading(path)};
    if (CheckPages(database.db, depth) != CheckResult::Intact)
        throw unusable(path, QStringLiteral("文件已损坏"));
}

CheckResult CheckPages(sqlite3 *db, CheckDepth depth)
{
    sqlite3_stmt *stmt = nullptr;
    const char *sql = depth == CheckDepth::Quick ? "PRAGMA quick_check" : "PRAGMA integrity_check";
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK)
        return sqlite3_errcode(db) == SQLITE_INTERRUPT ? CheckResult::Stopped : CheckResult::Damaged;
    // An undamaged file gives the one row "ok"; damage gives rows naming it
    // or an error reading a page.
    bool intact = false;
    int rows = 0;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++rows;
        intact = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)), "ok") == 0;
    }
    sqlite3_finalize(stmt);
    if (rc == SQLITE_INTERRUPT)
        return CheckResult::Stopped;
    return rc == SQLITE_DONE && rows == 1 && intact ? CheckResult::Intact : CheckResult::Damaged;
}

QString DamageWarning(const QString &path)
{
    return QStringLiteral("数据文件“%1”已损坏，部分数据可能已丢失。请立即用“数据恢复”恢复最近的备份。")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace DataFile
