#pragma once

#include <QString>

#include <functional>

class RowSet;

// Progress of a long export: rows written so far, out of all rows. Called
// with (0, total) first, now and then while rows are written, and with
// (total, total) before the file is saved. Returning false stops the export.
using ExportProgress = std::function<bool(int done, int total)>;

// Writes every row of an open row set, from the first whatever the current
// row, into an Excel 97-2003 workbook saved under exactly fileName (nothing is
// appended to the name). Row 1 holds the column names in the row set's order,
// then one row per record in the row set's order. Number and auto-number
// columns become numbers with every decimal of their text; the other columns
// become texts as the row set gives them; empty values stay empty cells. A
// sheet holds 65,536 rows; longer lists go on in "Sheet2", "Sheet3" ... each
// again under the title row, so no row is dropped. The row set's current row
// does not move. Throws AppError "无法写入文件 <name>：<reason>" when the file
// cannot be written; no partial file is then left under the name. The rows
// are read as they are written, so a paged row set is read a page at a time.
// Returns false when the progress stopped the export: no file is written.
bool ExportRowSetToXls(const RowSet &rows, const QString &fileName, const ExportProgress &progress = {});
