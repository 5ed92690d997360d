#include "printers/EscPosTarget.h"

#include "base/AppError.h"

namespace {

const QString kTcp = QStringLiteral("tcp://");
const QString kCupsScheme = QStringLiteral("cups://");

[[noreturn]] void Unknown(const QString &text)
{
    throw AppError(QStringLiteral("无法识别打印机位置“%1”：请填写设备文件（如 /dev/usb/lp0）、"
                                  "网络地址（如 tcp://192.168.1.100:9100）或系统打印机的原始队列（如 cups://receipt）")
                       .arg(text));
}

// "host", "host:port", "[v6 address]" or "[v6 address]:port".
void ParseHostAndPort(const QString &address, EscPosTarget &target, const QString &text)
{
    QString portText;
    if (address.startsWith(u'[')) {
        const qsizetype close = address.indexOf(u']');
        if (close < 0)
            Unknown(text);
        target.host = address.mid(1, close - 1);
        const QString rest = address.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(u':'))
            Unknown(text);
        portText = rest.mid(1);
    } else {
        const qsizetype colon = address.lastIndexOf(u':');
        target.host = colon < 0 ? address : address.left(colon);
        portText = colon < 0 ? QString() : address.mid(colon + 1);
        if (target.host.contains(u':'))
            Unknown(text);
    }
    if (target.host.isEmpty())
        Unknown(text);
    if (!portText.isEmpty()) {
        bool isNumber = false;
        target.port = portText.toInt(&isNumber);
        if (!isNumber || target.port < 1 || target.port > 65535)
            Unknown(text);
    }
}

} // namespace

EscPosTarget ParseEscPosTarget(const QString &text)
{
    const QString trimmed = text.trimmed();
    EscPosTarget target;
    if (trimmed.startsWith(kTcp)) {
        target.kind = EscPosTarget::Kind::Network;
        ParseHostAndPort(trimmed.mid(kTcp.size()), target, text);
    } else if (trimmed.startsWith(kCupsScheme)) {
        target.kind = EscPosTarget::Kind::CupsQueue;
        target.queue = trimmed.mid(kCupsScheme.size());
        if (target.queue.isEmpty() || target.queue.contains(u'/'))
            Unknown(text);
    } else if (trimmed.startsWith(u'/')) {
        target.kind = EscPosTarget::Kind::Device;
        target.device = trimmed;
    } else {
        Unknown(text);
    }
    return target;
}

QString EscPosTargetText(const EscPosTarget &target)
{
    switch (target.kind) {
    case EscPosTarget::Kind::Network: {
        const QString host = target.host.contains(u':') ? u'[' + target.host + u']' : target.host;
        return kTcp + host + u':' + QString::number(target.port);
    }
    case EscPosTarget::Kind::CupsQueue:
        return kCupsScheme + target.queue;
    case EscPosTarget::Kind::Device:
        break;
    }
    return target.device;
}
