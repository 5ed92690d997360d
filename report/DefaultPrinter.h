#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QPrinter;
class Report;

// The system's default printer, printing a report as one job per call without
// a dialog. Asking the print system for its default costs about as much as
// painting a receipt, so a printer once found is kept for the jobs of the next
// two seconds (a checkout that prints two copies, a queue of customers) and
// asked for again after that: a printer added, removed or made the default
// while the program runs is found by the next receipt that follows a pause.
// A job that fails on a kept printer is tried once more on a fresh look-up.
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
    QElapsedTimer m_sinceLookUp;
};
