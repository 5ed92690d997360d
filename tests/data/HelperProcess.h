#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The tests' second program (DATA_TEST_HELPER: tests/data/DataTestHelper.cpp)
// run on a data file; it is killed when the object goes.
class HelperProcess
{
public:
    explicit HelperProcess(const QStringList &arguments);
    ~HelperProcess();
    // The next line the helper prints; empty when none came in time.
    QString readLine(int timeoutMs = 10000);
    void kill(); // SIGKILL, then waits for the end

private:
    QProcess m_process;
};
