#include "fileformats/CompoundFile.h"

#include "fileformats/Spool.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {

constexpr quint32 SectorSize = 512;
constexpr quint32 MiniSectorSize = 64;
constexpr quint32 MiniStreamCutoff = 4096;
constexpr quint32 EntriesPerSector = SectorSize / 4;
constexpr quint32 HeaderFatSlots = 109;
constexpr quint32 IndexSlotsPerSector = EntriesPerSector - 1; // the last slot chains to the next index sector
constexpr int DirectoryEntrySize = 128;
constexpr int MaxNameLength = 31;

constexpr quint32 DifSect = 0xFFFFFFFC;
constexpr quint32 FatSect = 0xFFFFFFFD;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FreeSect = 0xFFFFFFFF;
constexpr quint32 NoStream = 0xFFFFFFFF;

constexpr quint8 TypeStream = 2;
constexpr quint8 TypeRoot = 5;
constexpr quint8 ColorBlack = 1;

quint32 CeilDiv(quint64 n, quint32 d)
{
    return quint32((n + d - 1) / d);
}

void Put16(QByteArray &bytes, int at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Put32(QByteArray &bytes, int at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// Sector numbers of each part of the file, in this order after the header:
// the stream (or the mini stream holding it), the directory, the mini
// allocation table, the allocation table, its index sectors.
struct Layout
{
    bool mini = false;
    quint32 dataSectors = 0;
    quint32 miniSectors = 0;
    quint32 miniFatSectors = 0;
    quint32 fatSectors = 0;
    quint32 indexSectors = 0;

    quint32 directory() const { return dataSectors; }
    quint32 firstMiniFat() const { return directory() + 1; }
    quint32 firstFat() const { return firstMiniFat() + miniFatSectors; }
    quint32 firstIndex() const { return firstFat() + fatSectors; }
    quint32 total() const { return firstIndex() + indexSectors; }
};

quint32 IndexSectorsFor(quint32 fatSectors)
{
    return fatSectors > HeaderFatSlots ? CeilDiv(fatSectors - HeaderFatSlots, IndexSlotsPerSector) : 0;
}

Layout Plan(quint64 streamSize)
{
    Layout l;
    l.mini = streamSize < MiniStreamCutoff;
    if (l.mini) {
        l.miniSectors = CeilDiv(streamSize, MiniSectorSize);
        l.dataSectors = CeilDiv(quint64(l.miniSectors) * MiniSectorSize, SectorSize);
        // Below the cutoff there are at most 64 mini sectors: one sector of entries.
        l.miniFatSectors = l.miniSectors > 0 ? 1 : 0;
    } else {
        l.dataSectors = CeilDiv(streamSize, SectorSize);
    }
    // The allocation table lists its own sectors and its index sectors too,
    // so it grows until it covers itself.
    l.fatSectors = 1;
    for (;;) {
        l.indexSectors = IndexSectorsFor(l.fatSectors);
        const quint32 needed = CeilDiv(l.total(), EntriesPerSector);
        if (needed <= l.fatSectors)
            break;
        l.fatSectors = needed;
    }
    return l;
}

QByteArray Header(const Layout &l)
{
    QByteArray h(SectorSize, '\0');
    static const unsigned char signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(std::begin(signature), std::end(signature), h.begin());
    Put16(h, 24, 0x003E); // minor version
    Put16(h, 26, 3); // major version: 512-byte sectors
    Put16(h, 28, 0xFFFE); // little-endian
    Put16(h, 30, 9); // sector size 2^9
    Put16(h, 32, 6); // mini sector size 2^6
    Put32(h, 44, l.fatSectors);
    Put32(h, 48, l.directory());
    Put32(h, 56, MiniStreamCutoff);
    Put32(h, 60, l.miniFatSectors ? l.firstMiniFat() : EndOfChain);
    Put32(h, 64, l.miniFatSectors);
    Put32(h, 68, l.indexSectors ? l.firstIndex() : EndOfChain);
    Put32(h, 72, l.indexSectors);
    for (quint32 i = 0; i < HeaderFatSlots; ++i)
        Put32(h, 76 + 4 * i, i < l.fatSectors ? l.firstFat() + i : FreeSect);
    return h;
}

void PutEntry(QByteArray &dir, int index, const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    const int at = index * DirectoryEntrySize;
    const QString shortName = name.left(MaxNameLength);
    for (int i = 0; i < shortName.size(); ++i)
        Put16(dir, at + 2 * i, shortName.at(i).unicode());
    Put16(dir, at + 64, quint16((shortName.size() + 1) * 2)); // bytes, with the terminating zero
    dir[at + 66] = char(type);
    dir[at + 67] = char(ColorBlack);
    Put32(dir, at + 68, NoStream); // left sibling
    Put32(dir, at + 72, NoStream); // right sibling
    Put32(dir, at + 76, child);
    Put32(dir, at + 116, start);
    Put32(dir, at + 120, size);
}

QByteArray Directory(const Layout &l, const QString &streamName, quint32 streamSize)
{
    QByteArray dir(SectorSize, '\0');
    const int entries = int(SectorSize) / DirectoryEntrySize;
    for (int i = 0; i < entries; ++i) { // unused entries link nowhere
        Put32(dir, i * DirectoryEntrySize + 68, NoStream);
        Put32(dir, i * DirectoryEntrySize + 72, NoStream);
        Put32(dir, i * DirectoryEntrySize + 76, NoStream);
    }
    const bool hasData = l.dataSectors > 0;
    if (l.mini) {
        PutEntry(dir, 0, QStringLiteral("Root Entry"), TypeRoot, 1, hasData ? 0 : EndOfChain,
                 l.miniSectors * MiniSectorSize);
    } else {
        PutEntry(dir, 0, QStringLiteral("Root Entry"), TypeRoot, 1, EndOfChain, 0);
    }
    PutEntry(dir, 1, streamName, TypeStream, NoStream, hasData ? 0 : EndOfChain, streamSize);
    return dir;
}

QByteArray Table(const std::vector<quint32> &entries)
{
    QByteArray bytes(int(entries.size() * 4), '\0');
    for (size_t i = 0; i < entries.size(); ++i)
        Put32(bytes, int(i * 4), entries[i]);
    return bytes;
}

// Entries [first, first + count) chained one after the other.
void Chain(std::vector<quint32> &table, quint32 first, quint32 count)
{
    for (quint32 i = 0; i < count; ++i)
        table[first + i] = i + 1 < count ? first + i + 1 : EndOfChain;
}

QByteArray MiniFat(const Layout &l)
{
    std::vector<quint32> entries(EntriesPerSector * l.miniFatSectors, FreeSect);
    Chain(entries, 0, l.miniSectors);
    return Table(entries);
}

QByteArray Fat(const Layout &l)
{
    std::vector<quint32> entries(EntriesPerSector * l.fatSectors, FreeSect);
    Chain(entries, 0, l.dataSectors);
    entries[l.directory()] = EndOfChain;
    Chain(entries, l.firstMiniFat(), l.miniFatSectors);
    for (quint32 i = 0; i < l.fatSectors; ++i)
        entries[l.firstFat() + i] = FatSect;
    for (quint32 i = 0; i < l.indexSectors; ++i)
        entries[l.firstIndex() + i] = DifSect;
    return Table(entries);
}

// Index sectors: the locations of the allocation-table sectors beyond the header's 109.
QByteArray Index(const Layout &l)
{
    std::vector<quint32> entries;
    entries.reserve(EntriesPerSector * l.indexSectors);
    quint32 fatSector = HeaderFatSlots;
    for (quint32 s = 0; s < l.indexSectors; ++s) {
        for (quint32 i = 0; i < IndexSlotsPerSector; ++i, ++fatSector)
            entries.push_back(fatSector < l.fatSectors ? l.firstFat() + fatSector : FreeSect);
        entries.push_back(s + 1 < l.indexSectors ? l.firstIndex() + s + 1 : EndOfChain);
    }
    return Table(entries);
}

} // namespace

bool WriteCompoundFile(QIODevice &out, const QString &streamName, quint32 streamSize, const StreamWriter &writeStream)
{
    const Layout l = Plan(streamSize);
    if (!WriteWhole(out, Header(l)))
        return false;
    const qint64 streamStart = out.pos();
    if (!writeStream(out))
        return false;
    if (out.pos() - streamStart != streamSize)
        throw std::logic_error("WriteCompoundFile: the stream is not the size announced");
    const qsizetype padding = qsizetype(l.dataSectors) * SectorSize - streamSize;
    return WriteWhole(out, QByteArray(padding, '\0')) && WriteWhole(out, Directory(l, streamName, streamSize))
        && WriteWhole(out, MiniFat(l)) && WriteWhole(out, Fat(l)) && WriteWhole(out, Index(l));
}
