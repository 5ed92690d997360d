#pragma once

#include <QString>

#include <functional>

class QIODevice;

// Writes a compound document (the container of the binary office formats:
// version 3, 512-byte sectors) whose root storage holds one stream. Streams
// under 4096 bytes go to the mini stream, as readers expect; large streams get
// as many allocation-table sectors as they need, chained beyond the header's
// 109 through extra index sectors. The stream's bytes are not held: once the
// header is out, `writeStream` writes exactly `streamSize` bytes to the device.
// Returns false when a write fails; the device's errorString() then says why,
// unless `writeStream` failed for a reason of its own.
using StreamWriter = std::function<bool(QIODevice &out)>;
bool WriteCompoundFile(QIODevice &out, const QString &streamName, quint32 streamSize, const StreamWriter &writeStream);
