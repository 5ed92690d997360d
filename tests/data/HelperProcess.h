#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The tests' second program (DATA_TEST_HELPER: tests/data/DataTestHelper.cpp)
// run on a data file; it is killed when the object goes.
class HelperProcess
{
public:
    explicit HelperProcess(const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(DATA_TEST_HELPER), arguments);
    }
    ~HelperProcess() { kill(); }

    // The next line the helper prints; empty when none came in time.
    QString readLine(int timeoutMs = 10000)
    {
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(timeoutMs))
                return {};
        return QString::fromUtf8(m_process.readLine()).trimmed();
    }

    void kill() // SIGKILL, then waits for the end
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};
