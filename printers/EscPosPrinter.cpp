#include "printers/EscPosPrinter.h"

#include "printers/EscPosEncoder.h"
#include "printers/EscPosRaster.h"
#include "printers/EscPosTransport.h"

namespace {

void Send(const EscPosTarget &target, const QByteArray &job, const QString &jobName)
{
    SendEscPosJob(target, job, jobName, QDeadlineTimer(EscPosJobTimeLimitMs(job.size())));
}

} // namespace

EscPosPrinter::EscPosPrinter(const PrinterConf &conf)
    : m_target(ParseEscPosTarget(conf.target))
    , m_dots(conf.dots)
    , m_cut(conf.cut)
    , m_drawer(conf.drawer)
{ }

void EscPosPrinter::print(const Report &receipt, const QString &jobName)
{
    Send(m_target, EscPos::ReceiptJob(RenderReceiptRaster(receipt, m_dots), m_cut), jobName);
}

void EscPosPrinter::saleFinished()
{
    if (m_drawer)
        Send(m_target, EscPos::DrawerJob(), QStringLiteral("打开钱箱"));
}
