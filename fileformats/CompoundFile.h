#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes a compound document (the container of the binary office formats:
// version 3, 512-byte sectors) whose root storage holds one stream. Streams
// under 4096 bytes go to the mini stream, as readers expect; large streams get
// as many allocation-table sectors as they need, chained beyond the header's
// 109 through extra index sectors. Returns false when the device refuses a
// write; its errorString() then says why.
bool WriteCompoundFile(QIODevice &out, const QString &streamName, const QByteArray &stream);
