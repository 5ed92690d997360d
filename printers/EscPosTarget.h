#pragma once

#include <QString>

// Where an ESC/POS printer is, as printer.conf names it: a device file
// ("/dev/usb/lp0"), a network address ("tcp://HOST:PORT", port 9100 when
// none is given) or a CUPS queue that passes jobs on unchanged ("cups://QUEUE").
struct EscPosTarget
{
    enum class Kind { Device, Network, CupsQueue };

    Kind kind = Kind::Device;
    QString device;
    QString host;
    int port = kDefaultPort;
    QString queue;

    static constexpr int kDefaultPort = 9100;
};

// Throws AppError with examples of the three forms when the text is none of them.
EscPosTarget ParseEscPosTarget(const QString &text);
// The printer.conf text of a target.
QString EscPosTargetText(const EscPosTarget &target);
