#include "fileformats/BiffRecords.h"

#include <algorithm>

namespace Biff {

bool FitsOneByte(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

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

} // namespace Biff
