#include "tests/printers/EscPosDecoder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

DecodedEscPos DecodeEscPos(const QByteArray &bytes)
{
    DecodedEscPos decoded;
    qsizetype at = 0;
    const auto next = [&] {
        if (at >= bytes.size())
            throw std::runtime_error("ESC/POS stream ends inside a command");
        return int(uchar(bytes[at++]));
    };
    const auto word = [&] {
        const int low = next();
        return low | next() << 8;
    };
    const auto skip = [&](int count) {
        while (count-- > 0)
            next();
    };
    // The rows of the raster blocks since the last other command, stacked.
    QByteArray rows;
    int bytesPerRow = 0;
    const auto endImage = [&] {
        if (rows.isEmpty())
            return;
        QImage image(reinterpret_cast<const uchar *>(rows.constData()), bytesPerRow * 8, int(rows.size() / bytesPerRow),
                     bytesPerRow, QImage::Format_Mono);
        image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
        decoded.images.push_back(image.copy());
        rows.clear();
    };
    while (at < bytes.size()) {
        const qsizetype start = at;
        const int first = next();
        const int second = next();
        if (first == 0x1d && second == 'v' && next() == '0' && next() == 0) {
            const int width = word();
            const int height = word();
            bytesPerRow = width;
            decoded.tallestBlock = std::max(decoded.tallestBlock, height);
            rows += bytes.mid(at, qsizetype(width) * height);
            skip(width * height);
            decoded.commands += u'v';
            continue;
        }
        endImage();
        if (first == 0x1b && second == '@') {
            decoded.commands += u'@';
        } else if (first == 0x1b && second == 'd') {
            skip(1);
            decoded.commands += u'd';
        } else if (first == 0x1d && second == 'V') {
            const int mode = next();
            skip(mode == 65 || mode == 66 ? 1 : 0);
            decoded.commands += u'V';
        } else if (first == 0x1b && second == 'p') {
            skip(3);
            decoded.commands += u'p';
        } else {
            throw std::runtime_error("unknown ESC/POS command " + std::to_string(first) + " " + std::to_string(second)
                                     + " at offset " + std::to_string(start));
        }
    }
    endImage();
    return decoded;
}

bool SamePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((qGray(a.pixel(x, y)) < 128) != (qGray(b.pixel(x, y)) < 128))
                return false;
    return true;
}
