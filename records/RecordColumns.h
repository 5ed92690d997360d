#pragma once

#include "grid/GridColumn.h"

#include <vector>

// The columns of the records windows' lists.
namespace RecordColumns {

std::vector<GridColumn> Products(); // the catalogue, spxx
std::vector<GridColumn> Tickets(); // the statistics, xstj, with footer sums
std::vector<GridColumn> SoldLines(); // the detail, xsmx, with footer sums
std::vector<GridColumn> Deletions(); // the deletion journal, scjl

} // namespace RecordColumns
