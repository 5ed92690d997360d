#pragma once

#include "fileformats/SharedStrings.h"
#include "fileformats/Spool.h"

#include <QString>

#include <vector>

class QIODevice;

// Builds an Excel 97-2003 workbook (BIFF8 records in a compound document) of
// plain worksheets. A cell holds a number or a text; a cell never set stays
// empty. Cells go in sheet by sheet and, within a sheet, row by row and left
// to right; rows and columns count from 0. Cells are kept in temporary files
// until the workbook is saved, so memory stays the same for any number of them.
class XlsWriter
{
public:
    static constexpr int MaxRows = 65536;
    static constexpr int MaxColumns = 256;
    static constexpr int MaxTextLength = 32767;
    static constexpr int MaxSheetNameLength = 31;

    // Starts a sheet; the following cells go into it. The name must be a valid
    // sheet name (1 to 31 characters, none of : \ / ? * [ ]) and new to the workbook.
    void addSheet(const QString &name);
    int sheetCount() const { return int(m_sheets.size()); }

    // Misplaced cells (before any sheet, outside the sheet, or not after the
    // previous cell) throw std::logic_error.
    void setNumber(int row, int column, double value);
    // An empty text leaves the cell empty; a text longer than a cell holds is
    // cut at MaxTextLength characters.
    void setText(int row, int column, const QString &text);

    // Bytes of the workbook's records, as the "Workbook" stream of the file holds them.
    qint64 workbookSize() const;

    // Writes the file through a temporary file beside it that replaces the
    // file only once complete. Throws AppError "无法写入文件 <name>：<reason>";
    // then no file is left under the name, or an earlier one stays as it was.
    void save(const QString &fileName);

private:
    struct Sheet
    {
        QString name;
        qint64 cellsStart = 0; // where its cell records start in the spool
        qint64 cellsSize = 0;
        int firstRow = -1;
        int lastRow = -1;
        int firstColumn = MaxColumns;
        int lastColumn = -1;
        int lastCellColumn = -1;
    };

    // The workbook stream's records around the string table and the cells.
    struct WorkbookParts
    {
        QByteArray head; // up to the string table, each sheet's offset filled in
        QByteArray tail; // after it
        qint64 streamSize = 0;
    };

    Sheet &placeCell(int row, int column);
    void appendCell(Sheet &sheet, const char *record, int size);
    WorkbookParts parts() const;
    bool writeStream(QIODevice &out, const WorkbookParts &parts);

    std::vector<Sheet> m_sheets;
    Spool m_cells; // every sheet's cell records, one sheet after the other
    SharedStrings m_strings;
};
