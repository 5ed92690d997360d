#pragma once

#include <QString>

#include <memory>

class QPrinter;
class Report;

// The system's default printer, printing a report as one job per call without
// a dialog. Looking a printer up costs more than painting a receipt, so the
// printer is kept while it stays the default: each job only asks for the
// default's name. A printer added or made the default meanwhile is looked up
// afresh, and a job that fails on a kept printer is tried once more on a fresh
// look-up (the printer may have been changed under the same name).
class DefaultPrinter
{
public:
    DefaultPrinter();
    ~DefaultPrinter();

    // Throws AppError when there is no default printer or the job fails.
    void print(const Report &report, const QString &jobName);

private:
    QPrinter &currentPrinter();
    void printOn(QPrinter &printer, const Report &report, const QString &jobName);

    std::unique_ptr<QPrinter> m_printer;
    QString m_printerName;
};
