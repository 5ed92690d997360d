#include "fileformats/XlsWriter.h"

#include "base/AppError.h"
#include "fileformats/CompoundFile.h"

#include <QDir>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

constexpr int MaxRecordData = 8224;
constexpr int RecordHeaderSize = 4;
constexpr quint16 CellXf = 15; // the one cell format: the Normal style, General numbers
constexpr quint16 CodepageUtf16 = 1200;

enum Sid : quint16 {
    SidEof = 0x000A,
    SidDateMode = 0x0022,
    SidFont = 0x0031,
    SidContinue = 0x003C,
    SidWindow1 = 0x003D,
    SidCodepage = 0x0042,
    SidWsBool = 0x0081,
    SidBoundSheet = 0x0085,
    SidXf = 0x00E0,
    SidSst = 0x00FC,
    SidLabelSst = 0x00FD,
    SidExtSst = 0x00FF,
    SidDimension = 0x0200,
    SidNumber = 0x0203,
    SidWindow2 = 0x023E,
    SidStyle = 0x0293,
    SidBof = 0x0809,
};

enum SubstreamType : quint16 { Globals = 0x0005, Worksheet = 0x0010 };

// Record sizes of a sheet around its cells: BOF, WSBOOL, DIMENSION before; WINDOW2, EOF after.
constexpr int SheetPrefixSize = (4 + 16) + (4 + 2) + (4 + 14);
constexpr int SheetSuffixSize = (4 + 18) + 4;

// Appends little-endian values and whole records to a byte array.
class Records
{
public:
    explicit Records(QByteArray &out)
        : m_out(out)
    { }

    void u8(quint8 v) { m_out.append(char(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_out.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_out.append(b, 4);
    }
    // Starts a record; end() fills in its length.
    int begin(quint16 sid)
    {
        const int at = int(m_out.size());
        u16(sid);
        u16(0);
        return at;
    }
    void end(int at) { qToLittleEndian(quint16(m_out.size() - at - RecordHeaderSize), m_out.data() + at + 2); }
    int size() const { return int(m_out.size()); }
    QByteArray &bytes() { return m_out; }

private:
    QByteArray &m_out;
};

bool FitsOneByte(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

// Characters as one byte each (all below 256) or as UTF-16LE.
void AppendChars(QByteArray &out, QStringView text, bool oneByte)
{
    if (oneByte) {
        for (QChar c : text)
            out.append(char(c.unicode()));
        return;
    }
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        out.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    } else {
        for (QChar c : text) {
            char b[2];
            qToLittleEndian(c.unicode(), b);
            out.append(b, 2);
        }
    }
}

// A short name: 8-bit length, flags, characters.
void AppendShortString(Records &r, const QString &text)
{
    const bool oneByte = FitsOneByte(text);
    r.u8(quint8(text.size()));
    r.u8(oneByte ? 0 : 1);
    AppendChars(r.bytes(), text, oneByte);
}

void WriteBof(Records &r, SubstreamType type)
{
    const int at = r.begin(SidBof);
    r.u16(0x0600); // BIFF8
    r.u16(type);
    r.u16(0x0DBB); // build
    r.u16(0x07CC); // year
    r.u32(0); // history flags
    r.u32(6); // lowest version that reads every record
    r.end(at);
}

void WriteEof(Records &r)
{
    r.end(r.begin(SidEof));
}

void WriteU16Record(Records &r, quint16 sid, quint16 value)
{
    const int at = r.begin(sid);
    r.u16(value);
    r.end(at);
}

void WriteWindow1(Records &r)
{
    const int at = r.begin(SidWindow1);
    r.u16(360); // left, in twips
    r.u16(270); // top
    r.u16(14000); // width
    r.u16(9000); // height
    r.u16(0x0038); // scroll bars and sheet tabs shown
    r.u16(0); // active sheet
    r.u16(0); // first tab shown
    r.u16(1); // sheets selected
    r.u16(600); // tab bar width, per mille
    r.end(at);
}

// The default font: 宋体 12 pt. Readers expect the four fonts the built-in
// styles use and skip index 4, so the fifth record becomes font 5.
void WriteFonts(Records &r)
{
    for (int i = 0; i < 5; ++i) {
        const int at = r.begin(SidFont);
        r.u16(240); // height, twips
        r.u16(0); // no italic, strike-out or outline
        r.u16(0x7FFF); // automatic colour
        r.u16(400); // normal weight
        r.u16(0); // no super- or subscript
        r.u8(0); // no underline
        r.u8(0); // family
        r.u8(0x86); // GB2312 character set
        r.u8(0);
        AppendShortString(r, QStringLiteral("宋体"));
        r.end(at);
    }
}

// Fifteen style formats (the Normal style and the built-in ones readers
// expect) and the one cell format every cell uses.
void WriteXfs(Records &r)
{
    static const quint16 styleFonts[15] = {0, 1, 1, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 15; ++i) {
        const int at = r.begin(SidXf);
        r.u16(styleFonts[i]);
        r.u16(0); // General number format
        r.u16(0xFFF5); // locked style format without parent
        r.u8(0x20); // bottom aligned
        r.u8(0); // no rotation
        r.u8(0); // no indent
        r.u8(i == 0 ? 0x00 : 0xF4); // the Normal style defines everything, the others only the font
        r.u32(0); // no borders
        r.u32(0);
        r.u16(0x20C0); // automatic pattern colours
        r.end(at);
    }
    const int at = r.begin(SidXf);
    r.u16(0);
    r.u16(0);
    r.u16(0x0001); // locked cell format inheriting from style 0
    r.u8(0x20);
    r.u8(0);
    r.u8(0);
    r.u8(0x00);
    r.u32(0);
    r.u32(0);
    r.u16(0x20C0);
    r.end(at);
}

void WriteNormalStyle(Records &r)
{
    const int at = r.begin(SidStyle);
    r.u16(0x8000); // built-in style on format 0
    r.u8(0); // Normal
    r.u8(0xFF);
    r.end(at);
}

// Writes the shared strings as an SST record and as many CONTINUE records as
// they need. A string's header and first character never split; when its
// characters run over, they go on in the next record after a repeated flags
// byte. Notes where each bucket of strings starts, for EXTSST.
class SharedStringTable
{
public:
    struct BucketStart
    {
        quint32 streamOffset;
        quint16 recordOffset;
    };

    SharedStringTable(Records &records, quint32 cellCount, const std::vector<QString> &strings)
        : m_r(records)
    {
        m_record = m_r.begin(SidSst);
        m_r.u32(cellCount);
        m_r.u32(quint32(strings.size()));
        m_perBucket = std::max<quint32>(8, (quint32(strings.size()) + 127) / 128);
        for (size_t i = 0; i < strings.size(); ++i)
            add(strings[i], i % m_perBucket == 0);
        m_r.end(m_record);
    }

    quint16 stringsPerBucket() const { return quint16(m_perBucket); }
    const std::vector<BucketStart> &buckets() const { return m_buckets; }

private:
    int room() const { return MaxRecordData - (m_r.size() - m_record - RecordHeaderSize); }

    void continueRecord()
    {
        m_r.end(m_record);
        m_record = m_r.begin(SidContinue);
    }

    void add(QStringView text, bool bucketStart)
    {
        const bool oneByte = FitsOneByte(text);
        const int charSize = oneByte ? 1 : 2;
        const int headerSize = 3; // length, flags
        if (room() < headerSize + (text.isEmpty() ? 0 : charSize))
            continueRecord();
        if (bucketStart)
            m_buckets.push_back({quint32(m_r.size()), quint16(m_r.size() - m_record)});
        m_r.u16(quint16(text.size()));
        m_r.u8(oneByte ? 0 : 1);
        while (!text.isEmpty()) {
            const int fit = std::min<int>(int(text.size()), room() / charSize);
            if (fit == 0) {
                continueRecord();
                m_r.u8(oneByte ? 0 : 1);
                continue;
            }
            AppendChars(m_r.bytes(), text.first(fit), oneByte);
            text = text.sliced(fit);
        }
    }

    Records &m_r;
    int m_record = 0;
    quint32 m_perBucket = 8;
    std::vector<BucketStart> m_buckets;
};

void WriteExtSst(Records &r, const SharedStringTable &sst)
{
    const int at = r.begin(SidExtSst);
    r.u16(sst.stringsPerBucket());
    for (const auto &bucket : sst.buckets()) {
        r.u32(bucket.streamOffset);
        r.u16(bucket.recordOffset);
        r.u16(0);
    }
    r.end(at);
}

void CheckSheetName(const QString &name, const std::vector<QString> &taken)
{
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    if (name.isEmpty() || name.size() > XlsWriter::MaxSheetNameLength
        || std::any_of(name.begin(), name.end(), [](QChar c) { return forbidden.contains(c); }))
        throw std::logic_error("XlsWriter: invalid sheet name");
    for (const QString &other : taken) {
        if (other.compare(name, Qt::CaseInsensitive) == 0)
            throw std::logic_error("XlsWriter: duplicate sheet name");
    }
}

void PutCellHeader(char *record, quint16 sid, quint16 size, int row, int column)
{
    qToLittleEndian(sid, record);
    qToLittleEndian(size, record + 2);
    qToLittleEndian(quint16(row), record + 4);
    qToLittleEndian(quint16(column), record + 6);
    qToLittleEndian(CellXf, record + 8);
}

} // namespace

void XlsWriter::addSheet(const QString &name)
{
    std::vector<QString> names;
    for (const Sheet &sheet : m_sheets)
        names.push_back(sheet.name);
    CheckSheetName(name, names);
    m_sheets.push_back(Sheet{name, {}});
}

XlsWriter::Sheet &XlsWriter::placeCell(int row, int column)
{
    if (m_sheets.empty())
        throw std::logic_error("XlsWriter: a cell before any sheet");
    if (row < 0 || row >= MaxRows || column < 0 || column >= MaxColumns)
        throw std::logic_error("XlsWriter: a cell outside the sheet");
    Sheet &sheet = m_sheets.back();
    if (row < sheet.lastRow || (row == sheet.lastRow && column <= sheet.lastCellColumn))
        throw std::logic_error("XlsWriter: cells go row by row, left to right");
    if (sheet.firstRow < 0)
        sheet.firstRow = row;
    sheet.lastRow = row;
    sheet.lastCellColumn = column;
    sheet.firstColumn = std::min(sheet.firstColumn, column);
    sheet.lastColumn = std::max(sheet.lastColumn, column);
    return sheet;
}

void XlsWriter::setNumber(int row, int column, double value)
{
    if (!std::isfinite(value))
        throw std::logic_error("XlsWriter: a number cell needs a finite value");
    Sheet &sheet = placeCell(row, column);
    char record[RecordHeaderSize + 14];
    PutCellHeader(record, SidNumber, 14, row, column);
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian(bits, record + 10);
    sheet.cells.append(record, sizeof record);
}

void XlsWriter::setText(int row, int column, const QString &text)
{
    if (text.isEmpty())
        return;
    Sheet &sheet = placeCell(row, column);
    char record[RecordHeaderSize + 10];
    PutCellHeader(record, SidLabelSst, 10, row, column);
    qToLittleEndian(sharedString(text.left(MaxTextLength)), record + 10);
    sheet.cells.append(record, sizeof record);
}

quint32 XlsWriter::sharedString(const QString &text)
{
    ++m_stringCells;
    const auto found = m_stringIndex.constFind(text);
    if (found != m_stringIndex.constEnd())
        return found.value();
    const quint32 index = quint32(m_strings.size());
    m_stringIndex.insert(text, index);
    m_strings.push_back(text);
    return index;
}

QByteArray XlsWriter::globals(const std::vector<quint32> &sheetSizes) const
{
    QByteArray out;
    Records r(out);
    WriteBof(r, Globals);
    WriteU16Record(r, SidCodepage, CodepageUtf16);
    WriteWindow1(r);
    WriteU16Record(r, SidDateMode, 0); // dates count from 1900
    WriteFonts(r);
    WriteXfs(r);
    WriteNormalStyle(r);

    std::vector<int> offsetFields;
    for (const Sheet &sheet : m_sheets) {
        const int at = r.begin(SidBoundSheet);
        offsetFields.push_back(r.size());
        r.u32(0); // stream offset of the sheet's BOF, filled in below
        r.u8(0); // visible
        r.u8(0); // worksheet
        AppendShortString(r, sheet.name);
        r.end(at);
    }
    const SharedStringTable sst(r, m_stringCells, m_strings);
    WriteExtSst(r, sst);
    WriteEof(r);

    quint32 offset = quint32(out.size());
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        qToLittleEndian(offset, out.data() + offsetFields[i]);
        offset += sheetSizes[i];
    }
    return out;
}

QByteArray XlsWriter::workbookStream() const
{
    std::vector<quint32> sheetSizes;
    for (const Sheet &sheet : m_sheets)
        sheetSizes.push_back(quint32(SheetPrefixSize + sheet.cells.size() + SheetSuffixSize));
    QByteArray stream = globals(sheetSizes);
    qsizetype total = stream.size();
    for (quint32 size : sheetSizes)
        total += size;
    stream.reserve(total);

    Records r(stream);
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const Sheet &sheet = m_sheets[i];
        const bool empty = sheet.firstRow < 0;
        WriteBof(r, Worksheet);
        WriteU16Record(r, SidWsBool, 0x04C1); // a worksheet with the usual outline settings
        int at = r.begin(SidDimension);
        r.u32(empty ? 0 : quint32(sheet.firstRow));
        r.u32(empty ? 0 : quint32(sheet.lastRow + 1));
        r.u16(empty ? 0 : quint16(sheet.firstColumn));
        r.u16(empty ? 0 : quint16(sheet.lastColumn + 1));
        r.u16(0);
        r.end(at);
        stream.append(sheet.cells);
        at = r.begin(SidWindow2);
        // Grid, headers, zeros, outline symbols shown; the first sheet selected and on display.
        r.u16(i == 0 ? 0x06B6 : 0x00B6);
        r.u16(0); // top row shown
        r.u16(0); // left column shown
        r.u16(64); // automatic grid colour
        r.u16(0);
        r.u16(0); // page break preview zoom: default
        r.u16(0); // normal zoom: default
        r.u32(0);
        r.end(at);
        WriteEof(r);
    }
    return stream;
}

void XlsWriter::save(const QString &fileName) const
{
    const auto failure = [&fileName](const QString &reason) {
        return AppError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(fileName), reason));
    };
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    if (!WriteCompoundFile(file, QStringLiteral("Workbook"), workbookStream())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw failure(reason);
    }
    if (!file.commit())
        throw failure(file.errorString());
}
