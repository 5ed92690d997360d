#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

// A private print system for tests: a CUPS scheduler of its own, running
// under a temporary folder and listening on a private socket, with one
// cups-pdf queue made its default destination. Every job printed to it comes
// out as a PDF file in its folder. The developer's real printers and the
// system scheduler are never touched.
//
// The process finds the scheduler through CUPS_SERVER, which the printing
// library reads once per process, so Shared() must run before anything in
// the test asks for a printer (before the windows are created).
//
// cups-pdf reads its settings only from /etc/cups; the queue therefore gets a
// file of its own there, cups-pdf-<queue>.conf, that sends its output, spool
// and log into the temporary folder. The file is removed when the scheduler
// stops (leftovers of crashed runs are removed at the next start).
class CupsPdfPrinter
{
public:
    // The scheduler of this test process, started on first use and stopped
    // when the process ends. Throws std::runtime_error saying why it cannot
    // start, so that printing tests fail rather than pass without printing.
    static CupsPdfPrinter &Shared();

    ~CupsPdfPrinter();
    CupsPdfPrinter(const CupsPdfPrinter &) = delete;
    CupsPdfPrinter &operator=(const CupsPdfPrinter &) = delete;

    // Number of jobs the scheduler has accepted so far, finished or not.
    int jobsSubmitted() const;
    // Waits until `count` more jobs than already collected have become PDF
    // files and returns their paths in job order. Throws std::runtime_error
    // with the scheduler's complaints when they do not arrive in time.
    QStringList waitForNewPdfs(int count, int timeoutMs = 60000);
    // The document the program handed over for the job that became `pdf`, as
    // it sent it. The PDF that comes out of the queue has been through
    // PostScript, which loses the text of some glyphs (digits among them);
    // the document keeps it readable.
    QString submittedDocument(const QString &pdf) const;

    // Deletes the queue, leaving the system without any (default) printer.
    void removeQueue();
    // Adds the cups-pdf queue again and makes it the default destination.
    void addQueue();
    // Adds a queue without a driver that hands every job on unchanged to the
    // device at deviceUri (socket://HOST:PORT: a network printer); returns its name.
    QString addRawQueue(const QString &deviceUri);

private:
    CupsPdfPrinter();
    void writeConfiguration();
    void startScheduler();
    void stopScheduler();
    QString lpTool(const QString &tool, const QStringList &arguments) const;
    QStringList finishedPdfs() const;
    QString complaints() const;
    QString path(const QString &relative) const;

    QTemporaryDir m_root;
    QString m_queue;
    QString m_socket;
    QString m_cupsPdfConf;
    pid_t m_scheduler = -1;
    QStringList m_collected;
};
