#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh data file in a temporary folder, used by every connection of the run.
class BenchDataFile
{
public:
    BenchDataFile();
    QString path() const { return m_path; }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
