#include "report/DefaultPrinter.h"

#include "base/AppError.h"
#include "report/PrintedReport.h"
#include "report/Report.h"
#include "report/ReportOutput.h"
#include "report/ReportPageSize.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

constexpr qint64 kKeepPrinterMs = 2000;

} // namespace

DefaultPrinter::DefaultPrinter() = default;

DefaultPrinter::~DefaultPrinter() = default;

QPrinter &DefaultPrinter::currentPrinter()
{
    if (m_printer && m_sinceLookUp.isValid() && !m_sinceLookUp.hasExpired(kKeepPrinterMs))
        return *m_printer;
    const QString name = QPrinterInfo::defaultPrinterName();
    m_sinceLookUp.start();
    if (name.isEmpty()) {
        m_printer.reset();
        m_printerName.clear();
        throw AppError(QStringLiteral("没有设置默认打印机，请先在系统中设置默认打印机"));
    }
    if (!m_printer || name != m_printerName) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (info.isNull())
            throw AppError(QStringLiteral("找不到默认打印机“%1”").arg(name));
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        m_printer->setFullPage(true);
        m_printer->setPageOrientation(QPageLayout::Portrait);
        m_printerName = name;
    }
    return *m_printer;
}

void DefaultPrinter::print(const Report &report, const QString &jobName)
{
    const bool kept = m_printer != nullptr;
    try {
        printOn(currentPrinter(), report, jobName);
    } catch (const AppError &) {
        if (!kept || !m_printer)
            throw;
        m_printer.reset();
        printOn(currentPrinter(), report, jobName);
    }
}

void DefaultPrinter::printOn(QPrinter &printer, const Report &report, const QString &jobName)
{
    const PrintedReport printed = report.run();
    printer.setDocName(jobName);
    if (!printer.setPageSize(ReportPageSize(printed)))
        throw AppError(QStringLiteral("打印机“%1”不接受 %2 × %3 毫米的纸张")
                           .arg(m_printerName)
                           .arg(printed.pageSizeMm.width(), 0, 'f', 2)
                           .arg(printed.pageSizeMm.height(), 0, 'f', 2));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer))
        throw AppError(QStringLiteral("无法在打印机“%1”上开始打印").arg(m_printerName));
    PaintReportPages(painter, printer, printed, printer.resolution());
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw AppError(QStringLiteral("打印机“%1”打印失败").arg(m_printerName));
}
