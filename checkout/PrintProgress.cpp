#include "checkout/PrintProgress.h"

#include <QEventLoop>
#include <QProgressDialog>

#include <exception>
#include <thread>

void PrintWithProgress(QWidget *window, const std::vector<Checkout::Job> &jobs)
{
    if (jobs.empty()) // settings that print no copy
        return;
    QProgressDialog progress(QStringLiteral("正在打印…"), QString(), 0, int(jobs.size()), window);
    progress.setObjectName(QStringLiteral("PrintProgress"));
    progress.setWindowTitle(QStringLiteral("打印"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setValue(0);

    QEventLoop loop;
    bool finished = false; // on the window's thread only
    std::exception_ptr failure;
    std::thread worker([&] {
        for (size_t done = 0; done < jobs.size(); ++done) {
            try {
                jobs[done]();
            } catch (...) {
                failure = std::current_exception();
                break;
            }
            QMetaObject::invokeMethod(
                &progress, [&progress, done] { progress.setValue(int(done) + 1); }, Qt::QueuedConnection);
        }
        QMetaObject::invokeMethod(
            &loop,
            [&] {
                finished = true;
                loop.quit();
            },
            Qt::QueuedConnection);
    });
    // The queued calls are taken here; the last one ends the wait.
    while (!finished)
        loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
