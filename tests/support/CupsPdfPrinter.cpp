#include "tests/support/CupsPdfPrinter.h"

#include "tests/support/ChildProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kCupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");
const QString kCupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
// cups-pdf looks for its per-queue settings here and nowhere else.
const QString kCupsPdfConfigDir = QStringLiteral("/etc/cups");
const QString kQueuePrefix = QStringLiteral("screceipts");
const QString kFinishedMark = QStringLiteral("PDF creation successfully finished");

[[noreturn]] void failPrinting(const QString &why)
{
    throw std::runtime_error(
        QStringLiteral("The private print system for the printing tests cannot be used: %1").arg(why).toStdString());
}

void writeFile(const QString &fileName, const QString &text)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        failPrinting(QStringLiteral("cannot write %1 (%2)").arg(fileName, file.errorString()));
    file.write(text.toUtf8());
}

// The job id cups-pdf writes into each file name ("...-job_12.pdf").
int jobIdOf(const QString &fileName)
{
    static const QRegularExpression jobId(QStringLiteral("job_(\\d+)\\.pdf$"));
    const QRegularExpressionMatch match = jobId.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Queue settings files left behind by runs that were killed.
void removeStaleQueueSettings()
{
    const QDir dir(kCupsPdfConfigDir);
    const QString pattern = QStringLiteral("cups-pdf-%1*.conf").arg(kQueuePrefix);
    static const QRegularExpression pidOf(QStringLiteral("(\\d+)\\.conf$"));
    for (const QString &name : dir.entryList({pattern}, QDir::Files)) {
        const QRegularExpressionMatch match = pidOf.match(name);
        if (match.hasMatch() && ::kill(pid_t(match.captured(1).toInt()), 0) != 0 && errno == ESRCH)
            QFile::remove(dir.filePath(name));
    }
}

} // namespace

CupsPdfPrinter &CupsPdfPrinter::Shared()
{
    static std::unique_ptr<CupsPdfPrinter> shared;
    if (!shared)
        shared.reset(new CupsPdfPrinter);
    return *shared;
}

CupsPdfPrinter::CupsPdfPrinter()
    : m_queue(kQueuePrefix + QString::number(::getpid()))
    , m_cupsPdfConf(QStringLiteral("%1/cups-pdf-%2.conf").arg(kCupsPdfConfigDir, m_queue))
{
    if (::geteuid() != 0)
        failPrinting(QStringLiteral("it needs root: the scheduler and the cups-pdf backend run as root"));
    for (const QString &program : {kCupsd, kCupsPdfBackend, kCupsPdfPpd})
        if (!QFileInfo::exists(program))
            failPrinting(QStringLiteral("%1 is missing; run scripts/install-deps.sh (cups, printer-driver-cups-pdf)")
                             .arg(program));
    if (!m_root.isValid())
        failPrinting(QStringLiteral("no temporary folder (%1)").arg(m_root.errorString()));
    m_socket = path(QStringLiteral("cups.sock"));

    removeStaleQueueSettings();
    writeConfiguration();
    // The printing library reads these once, at its first use in the process.
    ::setenv("CUPS_SERVER", QFile::encodeName(m_socket).constData(), 1);
    ::setenv("CUPS_SERVERROOT", QFile::encodeName(path(QStringLiteral("etc"))).constData(), 1);
    ::unsetenv("LPDEST");
    ::unsetenv("PRINTER");
    startScheduler();
    addQueue();
}

CupsPdfPrinter::~CupsPdfPrinter()
{
    stopScheduler();
    QFile::remove(m_cupsPdfConf);
}

QString CupsPdfPrinter::path(const QString &relative) const
{
    return m_root.filePath(relative);
}

void CupsPdfPrinter::writeConfiguration()
{
    // Filters run as the unprivileged user "lp" and must reach the spool.
    ::chmod(QFile::encodeName(m_root.path()).constData(), 0755);
    for (const char *dir : {"etc/ppd", "spool/tmp", "cache", "state", "log", "out", "pdf-spool", "anonymous"})
        if (!QDir(m_root.path()).mkpath(QString::fromUtf8(dir)))
            failPrinting(QStringLiteral("cannot create %1").arg(path(QString::fromUtf8(dir))));

    // Every file the scheduler writes stays in the temporary folder, the
    // printcap included.
    writeFile(path(QStringLiteral("etc/cups-files.conf")),
              QStringLiteral("ServerRoot %1\n"
                             "RequestRoot %2\n"
                             "TempDir %3\n"
                             "CacheDir %4\n"
                             "StateDir %5\n"
                             "Printcap %5/printcap\n"
                             "ErrorLog %6/error_log\n"
                             "AccessLog %6/access_log\n"
                             "PageLog %6/page_log\n"
                             "User lp\n"
                             "Group lp\n"
                             "SystemGroup root\n"
                             "FileDevice No\n")
                  .arg(path(QStringLiteral("etc")), path(QStringLiteral("spool")), path(QStringLiteral("spool/tmp")),
                       path(QStringLiteral("cache")), path(QStringLiteral("state")), path(QStringLiteral("log"))));
    writeFile(path(QStringLiteral("etc/cupsd.conf")),
              QStringLiteral("LogLevel info\n"
                             "Listen %1\n"
                             "Browsing No\n"
                             "PreserveJobFiles Yes\n"
                             "WebInterface No\n"
                             "DefaultAuthType None\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                  .arg(m_socket));
    // cups-pdf is told where to put its work; without this it would write into
    // the system's /var/spool/cups-pdf.
    writeFile(m_cupsPdfConf,
              QStringLiteral("Out %1\nSpool %2\nAnonDirName %3\nLog %4\n")
                  .arg(path(QStringLiteral("out")), path(QStringLiteral("pdf-spool")),
                       path(QStringLiteral("anonymous")), path(QStringLiteral("log"))));
}

void CupsPdfPrinter::startScheduler()
{
    const QString cupsdConf = path(QStringLiteral("etc/cupsd.conf"));
    const QString filesConf = path(QStringLiteral("etc/cups-files.conf"));
    m_scheduler = StartChild(
        {kCupsd, QStringLiteral("-f"), QStringLiteral("-c"), cupsdConf, QStringLiteral("-s"), filesConf}, m_root.path(),
        path(QStringLiteral("log/cupsd.out")));
    if (m_scheduler < 0)
        failPrinting(QStringLiteral("fork failed"));

    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 15000) {
        if (::waitpid(m_scheduler, nullptr, WNOHANG) == m_scheduler) {
            m_scheduler = -1;
            failPrinting(
                QStringLiteral("cupsd stopped at once (its own output is among these lines):\n%1").arg(complaints()));
        }
        if (QFileInfo::exists(m_socket)
            && lpTool(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running")))
            return;
        QThread::msleep(50);
    }
    failPrinting(QStringLiteral("cupsd did not answer on %1 within 15 s:\n%2").arg(m_socket, complaints()));
}

void CupsPdfPrinter::stopScheduler()
{
    if (m_scheduler <= 0)
        return;
    ::kill(m_scheduler, SIGTERM);
    for (int i = 0; i < 100; ++i) {
        if (::waitpid(m_scheduler, nullptr, WNOHANG) == m_scheduler) {
            m_scheduler = -1;
            return;
        }
        ::usleep(50 * 1000);
    }
    ::kill(m_scheduler, SIGKILL);
    ::waitpid(m_scheduler, nullptr, 0);
    m_scheduler = -1;
}

QString CupsPdfPrinter::lpTool(const QString &tool, const QStringList &arguments) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, QStringList{QStringLiteral("-h"), m_socket} + arguments);
    if (!process.waitForFinished(30000))
        failPrinting(
            QStringLiteral("%1 %2 did not finish (%3)").arg(tool, arguments.join(u' '), process.errorString()));
    return QString::fromUtf8(process.readAll());
}

void CupsPdfPrinter::addQueue()
{
    // pdftocairo keeps the text of the job searchable in the PDF that comes
    // out; the default converter turns it into unreadable glyphs.
    const QString output = lpTool(QStringLiteral("lpadmin"),
                                  {QStringLiteral("-p"), m_queue, QStringLiteral("-E"), QStringLiteral("-v"),
                                   QStringLiteral("cups-pdf:/") + m_queue, QStringLiteral("-P"), kCupsPdfPpd,
                                   QStringLiteral("-o"), QStringLiteral("printer-error-policy=abort-job"),
                                   QStringLiteral("-o"), QStringLiteral("pdftops-renderer-default=pdftocairo")});
    lpTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), m_queue});
    const QString state = lpTool(QStringLiteral("lpstat"), {QStringLiteral("-d")});
    if (!state.contains(m_queue))
        failPrinting(QStringLiteral("the queue %1 could not be made the default destination:\n%2%3")
                         .arg(m_queue, output, state));
}

QString CupsPdfPrinter::addRawQueue(const QString &deviceUri)
{
    const QString queue = m_queue + QStringLiteral("raw");
    const QString output = lpTool(QStringLiteral("lpadmin"),
                                  {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"), deviceUri});
    if (!lpTool(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue})
             .contains(QStringLiteral("device for ") + queue))
        failPrinting(QStringLiteral("the raw queue %1 could not be added:\n%2%3").arg(queue, output, complaints()));
    return queue;
}

void CupsPdfPrinter::removeQueue()
{
    lpTool(QStringLiteral("lpadmin"), {QStringLiteral("-x"), m_queue});
}

int CupsPdfPrinter::jobsSubmitted() const
{
    const QString listing = lpTool(QStringLiteral("lpstat"),
                                   {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
    int jobs = 0;
    for (const QString &line : listing.split(u'\n', Qt::SkipEmptyParts))
        if (line.startsWith(m_queue + u'-'))
            ++jobs;
    return jobs;
}

QStringList CupsPdfPrinter::finishedPdfs() const
{
    // A PDF is complete once cups-pdf has logged its success.
    int finished = 0;
    const QDir logDir(path(QStringLiteral("log")));
    for (const QString &log : logDir.entryList({QStringLiteral("cups-pdf*_log")}, QDir::Files))
        finished += int(ReadText(logDir.filePath(log)).count(kFinishedMark));

    QStringList pdfs;
    const QDir out(path(QStringLiteral("out")));
    for (const QString &name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        pdfs << out.filePath(name);
    std::sort(pdfs.begin(), pdfs.end(), [](const QString &a, const QString &b) { return jobIdOf(a) < jobIdOf(b); });
    while (pdfs.size() > finished)
        pdfs.removeLast();
    return pdfs;
}

QStringList CupsPdfPrinter::waitForNewPdfs(int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        QStringList fresh;
        for (const QString &pdf : finishedPdfs())
            if (!m_collected.contains(pdf))
                fresh << pdf;
        if (fresh.size() >= count) {
            fresh = fresh.mid(0, count);
            m_collected += fresh;
            return fresh;
        }
        if (timer.elapsed() > timeoutMs)
            throw std::runtime_error(
                QStringLiteral("Expected %1 new printed PDF(s) from queue %2 within %3 ms, got %4.\n%5")
                    .arg(count)
                    .arg(m_queue)
                    .arg(timeoutMs)
                    .arg(fresh.size())
                    .arg(complaints())
                    .toStdString());
        QThread::msleep(50);
    }
}

QString CupsPdfPrinter::submittedDocument(const QString &pdf) const
{
    return path(QStringLiteral("spool/d%1-001").arg(jobIdOf(pdf), 5, 10, QLatin1Char('0')));
}

QString CupsPdfPrinter::complaints() const
{
    // Errors of the scheduler and of cups-pdf, the newest last.
    QStringList lines;
    const QDir logDir(path(QStringLiteral("log")));
    for (const QString &log : logDir.entryList(
             {QStringLiteral("error_log"), QStringLiteral("cups-pdf*_log"), QStringLiteral("cupsd.out")}, QDir::Files))
        for (const QString &line : ReadText(logDir.filePath(log)).split(u'\n', Qt::SkipEmptyParts))
            if (line.startsWith(QStringLiteral("E ")) || line.contains(QStringLiteral("[ERROR]"))
                || (line.contains(QStringLiteral("ghostscript has finished")) && !line.endsWith(QStringLiteral(": 0")))
                || log == QStringLiteral("cupsd.out"))
                lines << line;
    return lines.mid(std::max<qsizetype>(0, lines.size() - 20)).join(u'\n');
}
