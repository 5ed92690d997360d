#include "records/TicketExport.h"

#include "base/NumberText.h"
#include "data/store/RowSet.h"
#include "fileformats/XlsWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

constexpr int RowsPerSheet = XlsWriter::MaxRows - 1; // below the title row
constexpr int ProgressSteps = 100;

void StartSheet(XlsWriter &book, const RowSet &rows)
{
    book.addSheet(QStringLiteral("Sheet%1").arg(book.sheetCount() + 1));
    for (int c = 0; c < rows.columnCount(); ++c)
        book.setText(0, c, rows.columnName(c));
}

// A stored number whose shortest exact decimal has at most 15 significant
// digits reads back from its text unchanged, so the text need not be made.
bool IsItsOwnText(const QVariant &stored, double &number)
{
    if (stored.typeId() == QMetaType::LongLong) {
        const qint64 integer = stored.toLongLong();
        number = double(integer);
        return qAbs(integer) < (qint64(1) << 53);
    }
    if (stored.typeId() != QMetaType::Double)
        return false;
    number = stored.toDouble();
    if (!std::isfinite(number))
        return false;
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, number, std::chars_format::scientific).ptr;
    return std::count_if(digits, std::find(digits, end, 'e'), [](char c) { return c >= '0' && c <= '9'; }) <= 15;
}

// A number column gives the value its text (at most 15 significant digits)
// stands for, as a typed number would store it; anything else stays text.
void WriteValue(XlsWriter &book, const RowSet &rows, int record, int sheetRow, int column, bool numberColumn)
{
    double number = 0;
    if (numberColumn && IsItsOwnText(rows.rawAt(record, column), number)) {
        book.setNumber(sheetRow, column, number);
        return;
    }
    const QString text = rows.textAt(record, column);
    long double parsed = 0;
    if (numberColumn && TryTextToNumber(text, parsed))
        book.setNumber(sheetRow, column, static_cast<double>(parsed));
    else
        book.setText(sheetRow, column, text);
}

} // namespace

bool ExportRowSetToXls(const RowSet &rows, const QString &fileName, const ExportProgress &progress)
{
    const int total = rows.recordCount();
    const int columns = rows.columnCount();
    const auto goOn = [&progress, total](int done) { return !progress || progress(done, total); };
    std::vector<bool> numberColumn;
    for (int c = 0; c < columns; ++c) {
        const ColumnKind kind = rows.columnKind(c);
        numberColumn.push_back(kind == ColumnKind::Number || kind == ColumnKind::AutoNumber);
    }

    if (!goOn(0))
        return false;
    const int step = std::max(1, total / ProgressSteps);
    XlsWriter book;
    StartSheet(book, rows);
    for (int record = 0; record < total; ++record) {
        const int sheetRow = record % RowsPerSheet + 1;
        if (record > 0 && sheetRow == 1)
            StartSheet(book, rows);
        for (int c = 0; c < columns; ++c)
            WriteValue(book, rows, record, sheetRow, c, numberColumn[size_t(c)]);
        const int done = record + 1;
        if (done % step == 0 && done < total && !goOn(done))
            return false;
    }
    if (!goOn(total))
        return false;
    book.save(fileName);
    return true;
}
