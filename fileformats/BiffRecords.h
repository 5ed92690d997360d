#pragma once

#include <QByteArray>
#include <QStringView>
#include <QtEndian>

// The pieces every BIFF8 record is made of.
namespace Biff {

constexpr int MaxRecordData = 8224;
constexpr int RecordHeaderSize = 4;

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

bool FitsOneByte(QStringView text);
// Characters as one byte each (all below 256) or as UTF-16LE.
void AppendChars(QByteArray &out, QStringView text, bool oneByte);

} // namespace Biff
