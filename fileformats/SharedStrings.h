#pragma once

#include "fileformats/Spool.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

class QIODevice;

// A workbook's shared string table (an SST record and its CONTINUE records),
// built as text cells arrive. Full records go to a spool; only the first
// record, whose counts are known last, and the one being filled stay in
// memory. The first texts seen are shared by every cell holding them; once
// many are known, a new text gets an entry of its own, so memory stays the
// same whatever the number of cells.
class SharedStrings
{
public:
    SharedStrings();

    // The index a LABELSST cell gives for the text.
    quint32 add(const QString &text);

    // Bytes of the table's records.
    qint64 size() const;
    // Writes the table's records; false when a write fails (error() or
    // out.errorString() says why).
    bool writeTo(QIODevice &out);
    // The EXTSST record that follows the table, which starts at `tableOffset`
    // in the workbook stream.
    QByteArray extSst(quint32 tableOffset) const;
    const QString &error() const { return m_spool.error(); }

private:
    struct BucketStart
    {
        qint64 tableOffset; // where the bucket's first text starts
        quint16 recordOffset; // the same, from the start of its record
    };

    int room() const;
    void continueRecord();
    void noteBucketStart();
    void append(QStringView text, bool startsBucket);
    QByteArray firstRecord() const;

    QByteArray m_first; // the SST record, once it is full
    Spool m_spool; // the full CONTINUE records after it
    QByteArray m_record; // the record being filled
    QHash<QString, quint32> m_shared;
    quint32 m_cells = 0;
    quint32 m_entries = 0;
    quint32 m_perBucket;
    std::vector<BucketStart> m_buckets;
};
