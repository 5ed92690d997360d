#include "printers/EscPosEncoder.h"

#include <QImage>

#include <algorithm>
#include <initializer_list>

namespace EscPos {

namespace {

constexpr int kEsc = 0x1b;
constexpr int kGs = 0x1d;
// Lines of the default 1/6-inch spacing between the print head and the cutter.
constexpr int kFeedLines = 4;

QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

void AppendWord(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xff));
    bytes.append(char((value >> 8) & 0xff));
}

} // namespace

QByteArray Initialize()
{
    return Bytes({kEsc, '@'});
}

QByteArray RasterImage(const QImage &mono)
{
    const int bytesPerRow = (mono.width() + 7) / 8;
    if (bytesPerRow == 0)
        return {};
    // The bits past the image's right edge in its last byte are left white.
    const uchar lastByteMask = uchar(0xff << ((8 - mono.width() % 8) % 8));
    QByteArray bytes;
    bytes.reserve(mono.height() * bytesPerRow + (mono.height() / kMaxRowsPerBlock + 1) * 8);
    for (int top = 0; top < mono.height(); top += kMaxRowsPerBlock) {
        const int rows = std::min(kMaxRowsPerBlock, mono.height() - top);
        bytes.append(Bytes({kGs, 'v', '0', 0}));
        AppendWord(bytes, bytesPerRow);
        AppendWord(bytes, rows);
        for (int y = top; y < top + rows; ++y) {
            const auto *line = reinterpret_cast<const char *>(mono.constScanLine(y));
            bytes.append(line, bytesPerRow - 1);
            bytes.append(char(uchar(line[bytesPerRow - 1]) & lastByteMask));
        }
    }
    return bytes;
}

QByteArray FeedPastCutter()
{
    return Bytes({kEsc, 'd', kFeedLines});
}

QByteArray PartialCut()
{
    return Bytes({kGs, 'V', 1});
}

QByteArray DrawerPulse()
{
    return Bytes({kEsc, 'p', 0, 25, 250});
}

QByteArray ReceiptJob(const QImage &mono, bool cut)
{
    QByteArray job = Initialize() + RasterImage(mono) + FeedPastCutter();
    if (cut)
        job += PartialCut();
    return job;
}

QByteArray DrawerJob()
{
    return Initialize() + DrawerPulse();
}

} // namespace EscPos
