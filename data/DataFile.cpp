#include "data/DataFile.h"

#include "data/AppError.h"
#include "data/Schema.h"

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace DataFile {

namespace {

QString &storedPath()
{
    static QString path;
    return path;
}

QString &storedProblem()
{
    static QString problem;
    return problem;
}

DataError unusable(const QString &path, const QString &problem)
{
    return DataError(QStringLiteral("数据文件“%1”无法使用：%2").arg(QDir::toNativeSeparators(path), problem));
}

// A handle that closes itself.
struct Database
{
    sqlite3 *db = nullptr;
    ~Database() { sqlite3_close(db); }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db)); }
};

void openKeyed(Database &database, const QString &path, int flags)
{
    if (sqlite3_open_v2(path.toUtf8().constData(), &database.db, flags, nullptr) != SQLITE_OK)
        throw unusable(path, database.error());
    sqlite3_key(database.db, kPassword, int(qstrlen(kPassword)));
}

void checkTables(Database &database, const QString &path)
{
    if (sqlite3_exec(database.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw unusable(path, QStringLiteral("不是本程序的数据文件，或密码不符（%1）").arg(database.error()));
    for (const Schema::Table &table : Schema::Tables()) {
        QStringList present;
        sqlite3_stmt *stmt = nullptr;
        const QByteArray sql = QByteArray("PRAGMA table_info(") + table.name + ")";
        if (sqlite3_prepare_v2(database.db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            throw unusable(path, database.error());
        while (sqlite3_step(stmt) == SQLITE_ROW)
            present << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1)));
        sqlite3_finalize(stmt);
        if (present.isEmpty())
            throw unusable(path, QStringLiteral("缺少表 %1").arg(QString::fromUtf8(table.name)));
        for (const Schema::Column &column : table.columns)
            if (!present.contains(QString::fromUtf8(column.name)))
                throw unusable(path, QStringLiteral("表 %1 缺少列 %2")
                                         .arg(QString::fromUtf8(table.name), QString::fromUtf8(column.name)));
    }
}

void create(const QString &path)
{
    // Built under a temporary name, readable and writable by the owner only,
    // and renamed into place once complete.
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    const int fd = ::open(QFile::encodeName(building).constData(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    if (fd < 0)
        throw unusable(path, QStringLiteral("无法创建新的数据文件（%1）").arg(QString::fromLocal8Bit(strerror(errno))));
    ::close(fd);
    try {
        Database database;
        openKeyed(database, building, SQLITE_OPEN_READWRITE);
        QStringList script{QStringLiteral("BEGIN")};
        for (const QString &statement : Schema::CreationStatements())
            script << statement;
        script << QStringLiteral("COMMIT");
        const QByteArray sql = script.join(QStringLiteral(";\n")).toUtf8();
        if (sqlite3_exec(database.db, sql.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
            throw unusable(path, database.error());
    } catch (...) {
        QFile::remove(building);
        throw;
    }
    if (::rename(QFile::encodeName(building).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(building);
        throw unusable(path, QString::fromLocal8Bit(strerror(errno)));
    }
}

} // namespace

void ResolveAtStartup()
{
    storedPath() = QDir::current().absoluteFilePath(QString::fromLatin1(kFileName));
}

void SetPath(const QString &path)
{
    storedPath() = path;
    storedProblem().clear();
}

QString Path()
{
    if (storedPath().isEmpty())
        ResolveAtStartup();
    return storedPath();
}

void EnsureUsable(const QString &path)
{
    storedProblem().clear();
    try {
        if (QFileInfo::exists(path))
            Validate(path);
        else
            create(path);
    } catch (const DataError &error) {
        storedProblem() = error.message();
        throw;
    }
}

QString Problem()
{
    return storedProblem();
}

void Validate(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw unusable(path, QStringLiteral("文件不存在"));
    Database database;
    openKeyed(database, path, SQLITE_OPEN_READONLY);
    checkTables(database, path);
}

} // namespace DataFile

QString RuntimeConnectionString()
{
    return DataFile::Path();
}
