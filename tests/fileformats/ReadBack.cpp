#include "tests/fileformats/ReadBack.h"

#include <QFile>
#include <QLocale>

#include <freexl.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace {

void Check(int result, const char *what)
{
    if (result != FREEXL_OK)
        throw std::runtime_error(std::string("freexl ") + what + " failed: " + std::to_string(result));
}

// Closes the reader's handle on every way out.
using Book = std::unique_ptr<const void, decltype([](const void *handle) { freexl_close(handle); })>;

Book Open(const QString &fileName)
{
    const void *handle = nullptr;
    Check(freexl_open(QFile::encodeName(fileName).constData(), &handle), "open");
    return Book(handle);
}

QString CellText(const FreeXL_CellValue &cell)
{
    switch (cell.type) {
    case FREEXL_CELL_NULL:
        return {};
    case FREEXL_CELL_INT:
        return NumberCell(cell.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return NumberCell(cell.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return TextCell(QString::fromUtf8(cell.value.text_value));
    default:
        return QStringLiteral("?:") + QString::fromUtf8(cell.value.text_value);
    }
}

} // namespace

QString NumberCell(double value)
{
    return QStringLiteral("n:") + QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString TextCell(const QString &text)
{
    return QStringLiteral("t:") + text;
}

std::vector<ReadSheet> ReadWorkbook(const QString &fileName)
{
    const Book book = Open(fileName);
    unsigned int info = 0;
    Check(freexl_get_info(book.get(), FREEXL_BIFF_VERSION, &info), "version");
    if (info != FREEXL_BIFF_VER_8)
        throw std::runtime_error("not a BIFF8 workbook");
    Check(freexl_get_info(book.get(), FREEXL_BIFF_SHEET_COUNT, &info), "sheet count");

    std::vector<ReadSheet> sheets(info);
    for (unsigned short s = 0; s < sheets.size(); ++s) {
        const char *name = nullptr;
        Check(freexl_get_worksheet_name(book.get(), s, &name), "sheet name");
        sheets[s].name = QString::fromUtf8(name);
        Check(freexl_select_active_worksheet(book.get(), s), "select sheet");
        unsigned int rows = 0;
        unsigned short columns = 0;
        Check(freexl_worksheet_dimensions(book.get(), &rows, &columns), "dimensions");
        sheets[s].rows.reserve(rows);
        for (unsigned int r = 0; r < rows; ++r) {
            QStringList row;
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue cell;
                Check(freexl_get_cell_value(book.get(), r, c, &cell), "cell");
                row.append(CellText(cell));
            }
            sheets[s].rows.push_back(row);
        }
    }
    return sheets;
}
