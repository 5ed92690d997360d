#pragma once

#include <QString>

// Which printer this machine prints receipts on. It belongs to the machine,
// not to the data file: an INI file, printer.conf, in the user's
// configuration folder, group [printer]:
//   kind=cups|escpos   the system printer (the default), or an ESC/POS printer
//   target=...         where the ESC/POS printer is: a device file
//                      (/dev/usb/lp0), tcp://HOST:PORT or cups://QUEUE (raw)
//   dots=384           printable width in dots (384 for 58 mm paper, 576 for 80 mm)
//   cut=true           cut the paper after each receipt
//   drawer=true        open the cash drawer after each sale
// With no file, receipts go to the system printer.
struct PrinterConf
{
    enum class Kind { System, EscPos };

    Kind kind = Kind::System;
    QString target;
    int dots = 384;
    bool cut = true;
    bool drawer = false;

    bool operator==(const PrinterConf &) const = default;
};

// Printable widths the set-up offers; any width from kMinDots to kMaxDots may be typed.
inline constexpr int kDots58mm = 384;
inline constexpr int kDots80mm = 576;
inline constexpr int kMinDots = 64;
inline constexpr int kMaxDots = 2048;

// salescounter/printer.conf under $XDG_CONFIG_HOME, or under ~/.config when
// that is unset or not an absolute path.
QString PrinterConfPath();

// The settings in the file at path; the defaults when there is none. Throws
// AppError naming the file and the line or value it cannot use.
PrinterConf LoadPrinterConf(const QString &path);
// Writes the file, creating its folder; throws AppError when it cannot.
void SavePrinterConf(const QString &path, const PrinterConf &conf);
