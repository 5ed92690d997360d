#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <vector>

// Reads ESC/POS bytes back the way a printer would, written apart from the
// program's encoder: ESC @, GS v 0, ESC d, GS V and ESC p. Any other byte
// throws std::runtime_error naming its offset.
struct DecodedEscPos
{
    // One letter per command in order: '@' reset, 'v' raster block, 'd' feed,
    // 'V' cut, 'p' drawer pulse.
    QString commands;
    // The raster blocks that follow each other, stacked into one image each
    // (Format_Mono, index 1 black).
    std::vector<QImage> images;
    int tallestBlock = 0;

    qsizetype count(char command) const { return commands.count(QLatin1Char(command)); }
};

DecodedEscPos DecodeEscPos(const QByteArray &bytes);

// True when both images have the same size and the same black pixels.
bool SamePixels(const QImage &a, const QImage &b);
