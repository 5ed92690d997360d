#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryFile>

class QIODevice;

// Bytes of any length kept in a temporary file, written through a buffer so
// that memory stays the same however much is kept. A failed write is noted,
// not thrown: the file it was meant for reports it when it is saved.
class Spool
{
public:
    Spool();

    void append(const char *data, qsizetype size);
    void append(const QByteArray &bytes) { append(bytes.constData(), bytes.size()); }
    qint64 size() const { return m_written + m_buffer.size(); }

    // Copies bytes [from, from + length) to `out`; false when reading or
    // writing fails (error() or out.errorString() says why).
    bool copyTo(QIODevice &out, qint64 from, qint64 length);
    // Empty while every write went through.
    const QString &error() const { return m_error; }

private:
    bool flush();

    QTemporaryFile m_file;
    QByteArray m_buffer;
    qint64 m_written = 0;
    QString m_error;
};

// Writes all of `bytes`; false when the device takes fewer (its errorString() says why).
bool WriteWhole(QIODevice &out, const QByteArray &bytes);
