#pragma once

#include <QString>

// How this machine reads the codes printed by the shop's scales. It belongs to
// the machine: an INI file, counter.conf, beside printer.conf, group [scanner]:
//   scale_prefix_from=20   the first two digits of a scale's 13-digit code
//   scale_prefix_to=29     lie within this range
//   scale_figure=amount    the five digits before the check digit: the amount
//                          in fen, or "weight" in grams
struct ScannerSettings
{
    int prefixFrom = 20;
    int prefixTo = 29;
    bool figureIsWeight = false;

    bool operator==(const ScannerSettings &) const = default;
};

QString CounterConfPath();
// The settings in the file at path; the defaults when there is none. Throws
// AppError naming the file and the value it cannot use.
ScannerSettings LoadScannerSettings(const QString &path);
// Writes the group, keeping the file's other groups; throws AppError when it cannot.
void SaveScannerSettings(const QString &path, const ScannerSettings &settings);
