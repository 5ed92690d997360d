#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

// A private PostgreSQL cluster for one test program: made with initdb in a
// temporary folder, reached only through a Unix socket there (no TCP). Run as
// root, the server tools run as the user "nobody", since PostgreSQL refuses
// root. Failures throw std::runtime_error carrying the tools' output or the
// server's log, so that the test fails saying why.
//
// Clusters left running by test programs that crashed are stopped and removed
// by the next one that starts a cluster.
class TempPostgres
{
public:
    TempPostgres();
    // Stops the server (immediately) and removes the folder.
    ~TempPostgres();
    TempPostgres(const TempPostgres &) = delete;
    TempPostgres &operator=(const TempPostgres &) = delete;

    // Ends the server at once, without a checkpoint: it vanishes the way it
    // would on a crash or a cut cable. Committed work survives.
    void stop();
    // Starts it again on the same folder and socket.
    void start();

    // Creates a new empty database and returns a libpq connection string for
    // it ("host=/tmp/... port=... dbname=t3 user=shop"); names are unique per call.
    QString newDatabase();
    // For checks in tests: runs one statement on a database and returns its
    // rows as texts (NULL as empty text).
    std::vector<QStringList> query(const QString &conninfo, const QString &sql) const;

private:
    QString path(const QString &relative) const;
    QString dataDir() const;
    QString connectionString(const QString &database) const;
    void runTool(const QString &tool, const QStringList &arguments, const QString &what) const;
    void writeSettings() const;

    QTemporaryDir m_root;
    QString m_binDir;
    int m_port = 0;
    int m_databases = 0;
    bool m_running = false;
};

// One cluster shared by all tests of a program, started on first use (programs
// that do not use it pay nothing) and stopped when the program ends.
TempPostgres &SharedPostgres();
