#include "fileformats/Spool.h"

#include <QIODevice>

#include <algorithm>

namespace {

constexpr qsizetype BufferSize = 1 << 20;

} // namespace

bool WriteWhole(QIODevice &out, const QByteArray &bytes)
{
    return out.write(bytes) == bytes.size();
}

Spool::Spool()
{
    m_buffer.reserve(BufferSize);
    if (!m_file.open())
        m_error = m_file.errorString();
}

void Spool::append(const char *data, qsizetype size)
{
    m_buffer.append(data, size);
    if (m_buffer.size() >= BufferSize)
        flush();
}

bool Spool::flush()
{
    if (m_buffer.isEmpty())
        return m_error.isEmpty();
    if (m_error.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_error = m_file.errorString();
    m_written += m_buffer.size();
    m_buffer.clear();
    return m_error.isEmpty();
}

bool Spool::copyTo(QIODevice &out, qint64 from, qint64 length)
{
    if (!flush())
        return false;
    const auto failed = [this] {
        m_error = m_file.errorString();
        return false;
    };
    if (!m_file.seek(from))
        return failed();
    while (length > 0) {
        const QByteArray chunk = m_file.read(std::min<qint64>(length, BufferSize));
        if (chunk.isEmpty())
            return failed();
        if (!WriteWhole(out, chunk))
            return false;
        length -= chunk.size();
    }
    // Later bytes go on at the end.
    return m_file.seek(m_written) || failed();
}
