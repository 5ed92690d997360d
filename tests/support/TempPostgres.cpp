#include "tests/support/TempPostgres.h"

#include "tests/support/ChildProcess.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include <libpq-fe.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <memory>
#include <stdexcept>
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

const QString kUser = QStringLiteral("shop");
const QString kFolderPrefix = QStringLiteral("sc-pg-");
// PostgreSQL refuses to run as root; run as root, the tests hand it to this user.
const char *const kServerUser = "nobody";

[[noreturn]] void fail(const QString &why)
{
    throw std::runtime_error(why.toStdString());
}

[[noreturn]] void failSetup(const QString &why)
{
    fail(QStringLiteral("The private PostgreSQL server for the tests cannot be used: %1").arg(why));
}

// The newest installed server's programs (Debian keeps each major version
// under /usr/lib/postgresql/<version>/bin).
QString serverBinDir()
{
    QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), [&](const QString &a, const QString &b) { return numeric(b, a); });
    for (const QString &version : versions) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(version);
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    failSetup(QStringLiteral("no PostgreSQL server under /usr/lib/postgresql (Debian package postgresql)"));
}

// The command line that runs `command` as the server's user.
QStringList asServerUser(const QStringList &command)
{
    if (::geteuid() != 0)
        return command;
    const QString runuser = QStandardPaths::findExecutable(
        QStringLiteral("runuser"), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")});
    if (runuser.isEmpty())
        failSetup(QStringLiteral("runuser (util-linux) is missing; it is needed to run the server as %1")
                      .arg(QString::fromUtf8(kServerUser)));
    return QStringList{runuser, QStringLiteral("-u"), QString::fromUtf8(kServerUser), QStringLiteral("--")} + command;
}

// Runs a program to its end; its exit status, or -1.
int run(const QStringList &command, const QString &workDir, const QString &outputFile)
{
    const pid_t child = StartChild(command, workDir, outputFile);
    return child < 0 ? -1 : WaitForChild(child);
}

// Where clusters are made: memory when there is plenty of it, since every new
// database is a copy of a template, many times slower to write to a disk.
QString clusterParent()
{
    const QString memory = QStringLiteral("/dev/shm");
    constexpr unsigned long long kEnough = 2ULL << 30;
    struct statvfs space = {};
    if (::statvfs(QFile::encodeName(memory).constData(), &space) == 0
        && static_cast<unsigned long long>(space.f_bavail) * space.f_frsize >= kEnough
        && ::access(QFile::encodeName(memory).constData(), W_OK) == 0)
        return memory;
    return QDir::tempPath();
}

// Clusters of test programs that died without stopping theirs: the folder
// name carries the owner's process id.
void removeLeftovers(const QString &binDir)
{
    static const QRegularExpression ownerOf(QStringLiteral("^%1(\\d+)-").arg(kFolderPrefix));
    for (const QString &parent : {QStringLiteral("/dev/shm"), QDir::tempPath()}) {
        const QDir dir(parent);
        for (const QString &name : dir.entryList({kFolderPrefix + QLatin1Char('*')}, QDir::Dirs)) {
            const QRegularExpressionMatch owner = ownerOf.match(name);
            if (!owner.hasMatch() || ::kill(pid_t(owner.captured(1).toInt()), 0) == 0 || errno != ESRCH)
                continue;
            const QString folder = dir.filePath(name);
            const QString data = folder + QStringLiteral("/data");
            if (QFile::exists(data + QStringLiteral("/postmaster.pid")))
                run(asServerUser({binDir + QStringLiteral("/pg_ctl"), QStringLiteral("stop"), QStringLiteral("-w"),
                                  QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-D"), data}),
                    folder, QStringLiteral("/dev/null"));
            QDir(folder).removeRecursively();
        }
    }
}

// A value of a libpq connection string, quoted when it needs to be.
QString connectionValue(const QString &value)
{
    static const QRegularExpression plain(QStringLiteral("^[^\\s'\\\\]+$"));
    if (plain.match(value).hasMatch())
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

TempPostgres::TempPostgres()
    : m_root(clusterParent() + QStringLiteral("/%1%2-XXXXXX").arg(kFolderPrefix).arg(::getpid()))
    // Only names the socket; a port number of its own keeps clusters apart in logs.
    , m_port(20000 + ::getpid() % 40000)
{
    if (!m_root.isValid())
        failSetup(QStringLiteral("no temporary folder (%1)").arg(m_root.errorString()));
    m_binDir = serverBinDir();
    removeLeftovers(m_binDir);
    if (::geteuid() == 0) {
        const passwd *user = ::getpwnam(kServerUser);
        const QByteArray root = QFile::encodeName(m_root.path());
        if (!user || ::chown(root.constData(), user->pw_uid, user->pw_gid) != 0)
            failSetup(
                QStringLiteral("cannot hand %1 to the user %2").arg(m_root.path(), QString::fromUtf8(kServerUser)));
        // The socket lives here, and the tests connect as root.
        ::chmod(root.constData(), 0755);
    }
    runTool(QStringLiteral("initdb"),
            {QStringLiteral("-D"), dataDir(), QStringLiteral("--auth=trust"), QStringLiteral("-U"), kUser,
             QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"),
             QStringLiteral("--no-sync"), QStringLiteral("--no-instructions")},
            QStringLiteral("initdb failed"));
    writeSettings();
    start();
}

TempPostgres::~TempPostgres()
{
    try {
        stop();
    } catch (const std::runtime_error &) {
        // The folder goes anyway, and a server that lost it shuts itself down.
    }
}

QString TempPostgres::path(const QString &relative) const
{
    return m_root.filePath(relative);
}

QString TempPostgres::dataDir() const
{
    return path(QStringLiteral("data"));
}

void TempPostgres::writeSettings() const
{
    QString socketDir = m_root.path();
    socketDir.replace(QLatin1Char('\''), QStringLiteral("''"));
    QFile conf(dataDir() + QStringLiteral("/postgresql.conf"));
    if (!conf.open(QIODevice::Append | QIODevice::Text))
        failSetup(QStringLiteral("cannot write %1 (%2)").arg(conf.fileName(), conf.errorString()));
    // No TCP at all. Nothing is flushed to disk (the files are thrown away),
    // but commits still wait for their write: a stopped server keeps them.
    conf.write(QStringLiteral("\nlisten_addresses = ''\n"
                              "unix_socket_directories = '%1'\n"
                              "port = %2\n"
                              "fsync = off\n"
                              "full_page_writes = off\n"
                              "synchronous_commit = on\n")
                   .arg(socketDir)
                   .arg(m_port)
                   .toUtf8());
}

void TempPostgres::runTool(const QString &tool, const QStringList &arguments, const QString &what) const
{
    const QString output = path(QStringLiteral("tool.out"));
    if (run(asServerUser(QStringList{m_binDir + QLatin1Char('/') + tool} + arguments), m_root.path(), output) == 0)
        return;
    QString why = QStringLiteral("%1:\n%2").arg(what, ReadText(output));
    // The log's end says why; its start may be a long program's worth of statements.
    constexpr qsizetype kLogTail = 20000;
    const QString log = ReadText(path(QStringLiteral("server.log")));
    if (!log.isEmpty())
        why += QStringLiteral("\nThe server's log:\n") + (log.size() > kLogTail ? log.right(kLogTail) : log);
    failSetup(why);
}

void TempPostgres::start()
{
    if (m_running)
        return;
    runTool(QStringLiteral("pg_ctl"),
            {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"),
             QStringLiteral("-D"), dataDir(), QStringLiteral("-l"), path(QStringLiteral("server.log"))},
            QStringLiteral("the server did not start"));
    m_running = true;
}

void TempPostgres::stop()
{
    if (!m_running)
        return;
    runTool(QStringLiteral("pg_ctl"),
            {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"), QStringLiteral("immediate"),
             QStringLiteral("-D"), dataDir()},
            QStringLiteral("the server did not stop"));
    m_running = false;
}

QString TempPostgres::connectionString(const QString &database) const
{
    return QStringLiteral("host=%1 port=%2 dbname=%3 user=%4")
        .arg(connectionValue(m_root.path()))
        .arg(m_port)
        .arg(database, kUser);
}

QString TempPostgres::newDatabase()
{
    const QString name = QStringLiteral("t%1").arg(++m_databases);
    query(connectionString(QStringLiteral("postgres")),
          QStringLiteral("create database %1 template template0").arg(name));
    return connectionString(name);
}

std::vector<QStringList> TempPostgres::query(const QString &conninfo, const QString &sql) const
{
    const QByteArray info = conninfo.toUtf8();
    const char *const keywords[] = {"dbname", "client_encoding", nullptr};
    const char *const values[] = {info.constData(), "UTF8", nullptr};
    const std::unique_ptr<PGconn, decltype(&PQfinish)> connection(PQconnectdbParams(keywords, values, 1), &PQfinish);
    if (PQstatus(connection.get()) != CONNECTION_OK)
        fail(QStringLiteral("Cannot connect to %1: %2")
                 .arg(conninfo, QString::fromUtf8(PQerrorMessage(connection.get()))));

    const std::unique_ptr<PGresult, decltype(&PQclear)> result(PQexec(connection.get(), sql.toUtf8().constData()),
                                                               &PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        fail(QStringLiteral("%1\nfailed on %2: %3")
                 .arg(sql, conninfo, QString::fromUtf8(PQerrorMessage(connection.get()))));

    std::vector<QStringList> rows;
    for (int row = 0; row < PQntuples(result.get()); ++row) {
        QStringList fields;
        for (int column = 0; column < PQnfields(result.get()); ++column)
            fields << QString::fromUtf8(PQgetvalue(result.get(), row, column));
        rows.push_back(fields);
    }
    return rows;
}

TempPostgres &SharedPostgres()
{
    // Destroyed when the program ends, which stops the server. A cluster that
    // cannot start is tried once; later tests fail with the same reason.
    static std::unique_ptr<TempPostgres> shared;
    static std::string failure;
    if (!shared) {
        if (!failure.empty())
            throw std::runtime_error(failure);
        try {
            shared = std::make_unique<TempPostgres>();
        } catch (const std::runtime_error &e) {
            failure = e.what();
            throw;
        }
    }
    return *shared;
}
