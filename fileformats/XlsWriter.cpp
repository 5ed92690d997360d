#include "fileformats/XlsWriter.h"

#include "base/AppError.h"
#include "fileformats/BiffRecords.h"
#include "fileformats/CompoundFile.h"
#include "fileformats/Spool.h"

#include <QDir>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

using namespace Biff;

namespace {

constexpr quint16 CellXf = 15; // the one cell format: the Normal style, General numbers
constexpr quint16 CodepageUtf16 = 1200;

enum SubstreamType : quint16 { Globals = 0x0005, Worksheet = 0x0010 };

// Record sizes of a sheet around its cells: BOF, WSBOOL, DIMENSION before; WINDOW2, EOF after.
constexpr int SheetPrefixSize = (4 + 16) + (4 + 2) + (4 + 14);
constexpr int SheetSuffixSize = (4 + 18) + 4;

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

QByteArray SheetStart(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    QByteArray out;
    Records r(out);
    const bool empty = firstRow < 0;
    WriteBof(r, Worksheet);
    WriteU16Record(r, SidWsBool, 0x04C1); // a worksheet with the usual outline settings
    const int at = r.begin(SidDimension);
    r.u32(empty ? 0 : quint32(firstRow));
    r.u32(empty ? 0 : quint32(lastRow + 1));
    r.u16(empty ? 0 : quint16(firstColumn));
    r.u16(empty ? 0 : quint16(lastColumn + 1));
    r.u16(0);
    r.end(at);
    return out;
}

QByteArray SheetEnd(bool firstSheet)
{
    QByteArray out;
    Records r(out);
    const int at = r.begin(SidWindow2);
    // Grid, headers, zeros, outline symbols shown; the first sheet selected and on display.
    r.u16(firstSheet ? 0x06B6 : 0x00B6);
    r.u16(0); // top row shown
    r.u16(0); // left column shown
    r.u16(64); // automatic grid colour
    r.u16(0);
    r.u16(0); // page break preview zoom: default
    r.u16(0); // normal zoom: default
    r.u32(0);
    r.end(at);
    WriteEof(r);
    return out;
}

} // namespace

void XlsWriter::addSheet(const QString &name)
{
    std::vector<QString> names;
    for (const Sheet &sheet : m_sheets)
        names.push_back(sheet.name);
    CheckSheetName(name, names);
    m_sheets.push_back(Sheet{name, m_cells.size()});
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

void XlsWriter::appendCell(Sheet &sheet, const char *record, int size)
{
    m_cells.append(record, size);
    sheet.cellsSize += size;
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
    appendCell(sheet, record, sizeof record);
}

void XlsWriter::setText(int row, int column, const QString &text)
{
    if (text.isEmpty())
        return;
    Sheet &sheet = placeCell(row, column);
    char record[RecordHeaderSize + 10];
    PutCellHeader(record, SidLabelSst, 10, row, column);
    qToLittleEndian(m_strings.add(text.left(MaxTextLength)), record + 10);
    appendCell(sheet, record, sizeof record);
}

XlsWriter::WorkbookParts XlsWriter::parts() const
{
    WorkbookParts g;
    Records r(g.head);
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

    g.tail = m_strings.extSst(quint32(g.head.size()));
    Records tail(g.tail);
    WriteEof(tail);

    g.streamSize = g.head.size() + m_strings.size() + g.tail.size();
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const Sheet &sheet = m_sheets[i];
        qToLittleEndian(quint32(g.streamSize), g.head.data() + offsetFields[i]);
        g.streamSize += SheetPrefixSize + sheet.cellsSize + SheetSuffixSize;
    }
    return g;
}

qint64 XlsWriter::workbookSize() const
{
    return parts().streamSize;
}

bool XlsWriter::writeStream(QIODevice &out, const WorkbookParts &g)
{
    if (!WriteWhole(out, g.head) || !m_strings.writeTo(out) || !WriteWhole(out, g.tail))
        return false;
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        const Sheet &sheet = m_sheets[i];
        if (!WriteWhole(out, SheetStart(sheet.firstRow, sheet.lastRow, sheet.firstColumn, sheet.lastColumn))
            || !m_cells.copyTo(out, sheet.cellsStart, sheet.cellsSize) || !WriteWhole(out, SheetEnd(i == 0)))
            return false;
    }
    return true;
}

void XlsWriter::save(const QString &fileName)
{
    const auto failure = [&fileName](const QString &reason) {
        return AppError(QStringLiteral("无法写入文件 %1：%2").arg(QDir::toNativeSeparators(fileName), reason));
    };
    const auto spoolError = [this] { return m_cells.error().isEmpty() ? m_strings.error() : m_cells.error(); };
    if (!spoolError().isEmpty())
        throw failure(spoolError());
    const WorkbookParts g = parts();
    // The file's directory gives a stream's size in 32 bits.
    if (g.streamSize > std::numeric_limits<quint32>::max())
        throw failure(QStringLiteral("数据超过 4 GB，Excel 97-2003 工作簿容纳不下"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw failure(file.errorString());
    if (!WriteCompoundFile(file, QStringLiteral("Workbook"), quint32(g.streamSize),
                           [this, &g](QIODevice &out) { return writeStream(out, g); })) {
        const QString reason = spoolError().isEmpty() ? file.errorString() : spoolError();
        file.cancelWriting();
        throw failure(reason);
    }
    if (!file.commit())
        throw failure(file.errorString());
}
