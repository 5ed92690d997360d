#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <vector>

// Builds an Excel 97-2003 workbook (BIFF8 records in a compound document) of
// plain worksheets. A cell holds a number or a text; a cell never set stays
// empty. Cells go in sheet by sheet and, within a sheet, row by row and left
// to right; rows and columns count from 0.
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

    // The workbook's records, as the "Workbook" stream of the file holds them.
    QByteArray workbookStream() const;

    // Writes the file through a temporary file beside it that replaces the
    // file only once complete. Throws AppError "无法写入文件 <name>：<reason>";
    // then no file is left under the name, or an earlier one stays as it was.
    void save(const QString &fileName) const;

private:
    struct Sheet
    {
        QString name;
        QByteArray cells; // cell records
        int firstRow = -1;
        int lastRow = -1;
        int firstColumn = MaxColumns;
        int lastColumn = -1;
        int lastCellColumn = -1;
    };

    Sheet &placeCell(int row, int column);
    quint32 sharedString(const QString &text);
    QByteArray globals(const std::vector<quint32> &sheetSizes) const;

    std::vector<Sheet> m_sheets;
    QHash<QString, quint32> m_stringIndex;
    std::vector<QString> m_strings; // shared strings, in index order
    quint32 m_stringCells = 0;
};
