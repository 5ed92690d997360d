#pragma once

#include "printers/FileDescriptor.h"

#include <QString>

// A receipt printer's device file. Only a character device (a USB or serial
// printer) or a named pipe (a printer played by another program) is one: a
// job written to anything else, a data file above all, would overwrite it.

// Opens the device for writing, following links but never creating or
// truncating. Throws AppError naming the path when it is missing, not the
// user's to write to, busy, silent or no device; nothing is written to it then.
FileDescriptor OpenPrinterDevice(const QString &path);

// Refuses, naming the path, a location that exists and is no device. A missing
// one passes: the printer may be plugged in later.
void CheckPrinterDevice(const QString &path);
