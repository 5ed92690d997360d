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
};

struct Table
{
    const char *name;
    std::vector<Column> columns;
};

const std::vector<Table> &Tables();
// Statements that create the tables, the indexes and the default settings row.
std::vector<QString> CreationStatements();

} // namespace Schema
