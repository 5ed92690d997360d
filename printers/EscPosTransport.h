#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

struct EscPosTarget;

// How long a printer may take to connect, or to take the next bytes of a job,
// before the job is given up.
inline constexpr int kPrinterTimeoutMs = 3000;

// How long a job of this many bytes may take in all: what the slowest serial
// printer (9,600 baud) needs for it, and 5 s more.
qint64 EscPosJobTimeLimitMs(qsizetype bytes);

// Sends one job to a receipt printer and returns once the printer (or, for a
// CUPS queue, the print system) has taken all of it. Throws AppError with a
// message for the cashier: a device file that is missing, no device, or one the
// user may not write to (naming the lp group), a refused or silent network
// printer, a job that breaks off or is still going at the deadline, a queue
// that refuses it.
void SendEscPosJob(const EscPosTarget &target, const QByteArray &job, const QString &jobName,
                   const QDeadlineTimer &deadline);
