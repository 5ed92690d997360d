#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The tables of the data file, their columns in order, and the indexes
// the searches need.
namespace Schema {

struct Column
{
    const char *name;
    const char *type; // TEXT, REAL, DATETIME, or the auto-number definition
    // Added after the first data files were made: a file without it is still
    // a data file, and gets it when opened for writing.
    bool addedLater = false;
};

struct Table
{
    const char *name;
    std::vector<Column> columns;
    // Added after the first data files were made: created when a file without it is opened for writing.
    bool addedLater = false;
};

struct Index
{
    const char *name;
    const char *definition; // what follows "CREATE INDEX <name> ON "
    bool unique = false;
};

const std::vector<Table> &Tables();
QStringList ColumnNames(const QString &table); // in order; empty for an unknown table
const std::vector<Index> &Indexes();
// The statement that creates one index, in the data file or on a server.
QString IndexCreation(const Index &index, bool onServer);
// The statement that creates one table of the data file.
QString CreationStatement(const Table &table);
// Statements that create the tables, the indexes and the default settings row.
std::vector<QString> CreationStatements();

// The tables a shop with several counters keeps on its server: the
// catalogue, the sales, the sold lines, the payments and the deletion journal. The ticket being entered and the
// print settings stay in each counter's data file.
bool IsSharedTable(const QString &table);
// Statements that create the shared tables on a server that lacks them, with
// the same columns, and add the columns an older server lacks: texts compare and sort byte by
// byte as in the data file, and a ticket number is stored once. Safe to run again.
std::vector<QString> ServerCreationStatements();
// Statements that give a counter's data file what it needs beside a server:
// the sales waiting to go up (and those of them the server refused), and the
// last ticket number it gave. Safe to run again.
std::vector<QString> CounterTableStatements();
// The column that identifies a row of a shared table on the server (the
// catalogue gets one of its own, listed last and never shown).
QString ServerRowIdColumn(const QString &table);

} // namespace Schema
