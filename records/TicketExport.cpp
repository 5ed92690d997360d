#include "records/TicketExport.h"

#include "data/NumberText.h"
#include "data/RowSet.h"
#include "records/XlsWriter.h"

#include <algorithm>
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

// A number column's text is its shortest decimal form, read back as the value
// a typed number would store; anything else stays text.
void WriteValue(XlsWriter &book, int row, int column, const QString &text, bool numberColumn)
{
    long double number = 0;
    if (numberColumn && TryTextToNumber(text, number))
        book.setNumber(row, column, static_cast<double>(number));
    else
        book.setText(row, column, text);
}

} // namespace

void ExportRowSetToXls(const RowSet &rows, const QString &fileName, const ExportProgress &progress)
{
    const int total = rows.recordCount();
    const int columns = rows.columnCount();
    const auto report = [&progress, total](int done) {
        if (progress)
            progress(done, total);
    };
    std::vector<bool> numberColumn;
    for (int c = 0; c < columns; ++c) {
        const ColumnKind kind = rows.columnKind(c);
        numberColumn.push_back(kind == ColumnKind::Number || kind == ColumnKind::AutoNumber);
    }

    report(0);
    const int step = std::max(1, total / ProgressSteps);
    XlsWriter book;
    StartSheet(book, rows);
    for (int record = 0; record < total; ++record) {
        const int sheetRow = record % RowsPerSheet + 1;
        if (record > 0 && sheetRow == 1)
            StartSheet(book, rows);
        for (int c = 0; c < columns; ++c)
            WriteValue(book, sheetRow, c, rows.textAt(record, c), numberColumn[size_t(c)]);
        const int done = record + 1;
        if (done % step == 0 && done < total)
            report(done);
    }
    report(total);
    book.save(fileName);
}
