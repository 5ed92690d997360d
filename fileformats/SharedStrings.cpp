#include "fileformats/SharedStrings.h"

#include "fileformats/BiffRecords.h"

#include <QIODevice>

#include <algorithm>

using namespace Biff;

namespace {

constexpr qsizetype MaxSharedTexts = 1 << 14;
// EXTSST indexes the table in at most this many buckets of at least 8 texts.
constexpr size_t MaxBuckets = 128;
constexpr quint32 MinPerBucket = 8;
constexpr int CountsOffset = RecordHeaderSize; // the SST's total and unique counts

QByteArray StartedRecord(quint16 sid)
{
    QByteArray record;
    Records(record).begin(sid);
    return record;
}

QByteArray Closed(QByteArray record)
{
    Records(record).end(0);
    return record;
}

} // namespace

SharedStrings::SharedStrings()
    : m_record(StartedRecord(SidSst))
    , m_perBucket(MinPerBucket)
{
    Records r(m_record);
    r.u32(0); // texts in cells, filled in when written
    r.u32(0); // entries in the table
}

quint32 SharedStrings::add(const QString &text)
{
    ++m_cells;
    const auto found = m_shared.constFind(text);
    if (found != m_shared.constEnd())
        return found.value();
    const quint32 index = m_entries++;
    if (m_shared.size() < MaxSharedTexts)
        m_shared.insert(text, index);
    // A bucket of EXTSST starts every m_perBucket texts.
    append(text, index % m_perBucket == 0);
    return index;
}

int SharedStrings::room() const
{
    return MaxRecordData - int(m_record.size() - RecordHeaderSize);
}

void SharedStrings::continueRecord()
{
    if (m_first.isEmpty())
        m_first = Closed(m_record);
    else
        m_spool.append(Closed(m_record));
    m_record = StartedRecord(SidContinue);
}

// When there would be too many buckets, they double in size and every other
// start is dropped.
void SharedStrings::noteBucketStart()
{
    m_buckets.push_back({size(), quint16(m_record.size())});
    if (m_buckets.size() <= MaxBuckets)
        return;
    m_perBucket *= 2;
    for (size_t i = 0; 2 * i < m_buckets.size(); ++i)
        m_buckets[i] = m_buckets[2 * i];
    m_buckets.resize((m_buckets.size() + 1) / 2);
}

// A text's header (length, flags) and first character never split; when its
// characters run over, they go on in the next record after a repeated flags byte.
void SharedStrings::append(QStringView text, bool startsBucket)
{
    const bool oneByte = FitsOneByte(text);
    const int charSize = oneByte ? 1 : 2;
    const int headerSize = 3;
    if (room() < headerSize + (text.isEmpty() ? 0 : charSize))
        continueRecord();
    if (startsBucket)
        noteBucketStart();
    Records r(m_record);
    r.u16(quint16(text.size()));
    r.u8(oneByte ? 0 : 1);
    while (!text.isEmpty()) {
        const int fit = std::min<int>(int(text.size()), room() / charSize);
        if (fit == 0) {
            continueRecord();
            m_record.append(char(oneByte ? 0 : 1));
            continue;
        }
        AppendChars(m_record, text.first(fit), oneByte);
        text = text.sliced(fit);
    }
}

qint64 SharedStrings::size() const
{
    return m_first.size() + m_spool.size() + m_record.size();
}

QByteArray SharedStrings::firstRecord() const
{
    QByteArray first = m_first.isEmpty() ? Closed(m_record) : m_first;
    qToLittleEndian(m_cells, first.data() + CountsOffset);
    qToLittleEndian(m_entries, first.data() + CountsOffset + 4);
    return first;
}

bool SharedStrings::writeTo(QIODevice &out)
{
    if (!WriteWhole(out, firstRecord()))
        return false;
    if (m_first.isEmpty())
        return true;
    return m_spool.copyTo(out, 0, m_spool.size()) && WriteWhole(out, Closed(m_record));
}

QByteArray SharedStrings::extSst(quint32 tableOffset) const
{
    QByteArray bytes;
    Records r(bytes);
    const int at = r.begin(SidExtSst);
    r.u16(quint16(m_perBucket));
    for (const BucketStart &bucket : m_buckets) {
        r.u32(quint32(tableOffset + bucket.tableOffset));
        r.u16(bucket.recordOffset);
        r.u16(0);
    }
    r.end(at);
    return bytes;
}
