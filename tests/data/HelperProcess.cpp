#include "tests/data/HelperProcess.h"

HelperProcess::HelperProcess(const QStringList &arguments)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(DATA_TEST_HELPER), arguments);
}

HelperProcess::~HelperProcess()
{
    kill();
}

QString HelperProcess::readLine(int timeoutMs)
{
    while (!m_process.canReadLine())
        if (!m_process.waitForReadyRead(timeoutMs))
            return {};
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

void HelperProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished();
}
