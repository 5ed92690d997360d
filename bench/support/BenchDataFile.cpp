#include "bench/support/BenchDataFile.h"

#include "data/store/DataFile.h"

BenchDataFile::BenchDataFile()
    : m_path(m_dir.filePath(QStringLiteral("data.mdb")))
{
    DataFile::SetPath(m_path);
    DataFile::EnsureUsable(m_path);
}
