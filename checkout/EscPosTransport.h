#pragma once

#include <QByteArray>
#include <QString>

struct EscPosTarget;

// How long a printer may take to connect, or to take the next bytes of a job,
// before the job is given up; the window is never held longer than this.
inline constexpr int kPrinterTimeoutMs = 3000;

// Sends one job to a receipt printer and returns once the printer (or, for a
// CUPS queue, the print system) has taken all of it. Throws AppError with a
// message for the cashier: a missing device file, one the user may not write
// to (naming the lp group), a refused or silent network printer, a job that
// breaks off, a queue that refuses it.
void SendEscPosJob(const EscPosTarget &target, const QByteArray &job, const QString &jobName);
