#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

#include <sys/mount.h>

// A small file system of its own that can be filled up, where the machine lets
// the test mount one (as root).
class SmallDisk
{
public:
    SmallDisk()
        : m_mounted(::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=1m") == 0)
    { }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Takes all the room but `bytes`, until emptied.
    void fillUpBut(qint64 bytes)
    {
        QFile filler(path(QStringLiteral("filler")));
        if (!m_mounted || !filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        while (filler.write(QByteArray(4096, 'x')) > 0) { }
        filler.resize(std::max<qint64>(0, filler.size() - bytes));
    }
    void empty() { QFile::remove(path(QStringLiteral("filler"))); }

private:
    QTemporaryDir m_dir;
    bool m_mounted;
};
