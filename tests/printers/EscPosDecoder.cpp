#include "tests/printers/EscPosDecoder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_bytes(bytes)
    { }
    bool atEnd() const { return m_at >= m_bytes.size(); }
    qsizetype offset() const { return m_at; }
    int byte()
    {
        if (atEnd())
            throw std::runtime_error("ESC/POS stream ends inside a command");
        return uchar(m_bytes[m_at++]);
    }
    int word()
    {
        const int low = byte();
        return low | byte() << 8;
    }

private:
    const QByteArray &m_bytes;
    qsizetype m_at = 0;
};

[[noreturn]] void Unknown(qsizetype offset, int first, int second)
{
    throw std::runtime_error("unknown ESC/POS command " + std::to_string(first) + " " + std::to_string(second)
                             + " at offset " + std::to_string(offset));
}

QImage ReadRasterBlock(Reader &in)
{
    const int mode = in.byte();
    if (mode != 0)
        throw std::runtime_error("GS v 0 with a scaled mode " + std::to_string(mode));
    const int bytesPerRow = in.word();
    const int rows = in.word();
    QImage block(bytesPerRow * 8, rows, QImage::Format_Mono);
    block.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < rows; ++y)
        for (int column = 0; column < bytesPerRow; ++column) {
            const int bits = in.byte();
            for (int bit = 0; bit < 8; ++bit)
                block.setPixel(column * 8 + bit, y, (bits >> (7 - bit)) & 1);
        }
    return block;
}

QImage StackBelow(const QImage &top, const QImage &bottom)
{
    if (top.isNull())
        return bottom;
    if (top.width() != bottom.width())
        throw std::runtime_error("raster blocks of one image differ in width");
    QImage both(top.width(), top.height() + bottom.height(), QImage::Format_Mono);
    both.setColorTable(top.colorTable());
    for (int y = 0; y < both.height(); ++y)
        for (int x = 0; x < both.width(); ++x)
            both.setPixel(x, y, y < top.height() ? top.pixelIndex(x, y) : bottom.pixelIndex(x, y - top.height()));
    return both;
}

} // namespace

DecodedEscPos DecodeEscPos(const QByteArray &bytes)
{
    DecodedEscPos decoded;
    Reader in(bytes);
    QImage image;
    auto endImage = [&] {
        if (!image.isNull())
            decoded.images.push_back(image);
        image = QImage();
    };
    while (!in.atEnd()) {
        const qsizetype at = in.offset();
        const int first = in.byte();
        const int second = in.byte();
        if (first == 0x1b && second == '@') {
            endImage();
            decoded.commands += u'@';
        } else if (first == 0x1d && second == 'v') {
            if (in.byte() != '0')
                Unknown(at, first, second);
            const QImage block = ReadRasterBlock(in);
            decoded.tallestBlock = std::max(decoded.tallestBlock, block.height());
            image = StackBelow(image, block);
            decoded.commands += u'v';
        } else if (first == 0x1b && second == 'd') {
            in.byte();
            endImage();
            decoded.commands += u'd';
        } else if (first == 0x1d && second == 'V') {
            const int mode = in.byte();
            if (mode == 65 || mode == 66)
                in.byte();
            endImage();
            decoded.commands += u'V';
        } else if (first == 0x1b && second == 'p') {
            in.byte();
            in.byte();
            in.byte();
            endImage();
            decoded.commands += u'p';
        } else {
            Unknown(at, first, second);
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
