#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A temporary folder holding a fresh data.mdb that every connection of the
// test uses; the windows can be created on it with CreateWindows().
class TempData
{
public:
    TempData();
    QString dir() const { return m_dir.path(); }
    QString file() const { return m_file; }
    // Runs statements directly on the file (fixtures and checks).
    void exec(const QString &sql) const;
    // Number of rows of a table, or of any "select count(*) ..." statement.
    int count(const QString &table) const;
    // The first column of the first row of a query, as the row set gives it as text.
    QString scalar(const QString &sql) const;
    // Every row of a query, its columns' texts joined by "|".
    QStringList rows(const QString &sql) const;

private:
    QTemporaryDir m_dir;
    QString m_file;
};

// Overwrites one page in the middle of a data file with random bytes.
void DamagePage(const QString &path);
