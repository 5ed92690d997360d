#pragma once

#include <QString>

#include <vector>

// The five tables of the data file, their columns in order, and the indexes
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
};

struct Index
{
    const char *name;
    const char *definition; // what follows "CREATE INDEX <name> ON "
};

const std::vector<Table> &Tables();
const std::vector<Index> &Indexes();
// Statements that create the tables, the indexes and the default settings row.
std::vector<QString> CreationStatements();

} // namespace Schema
