#pragma once

#include <QSizeF>
#include <QString>

// Reads a PDF file back with the poppler tools.
namespace PdfText {

// The text of every page, pages separated by form feeds.
QString Text(const QString &pdfPath);
// Whether the text read back shows the expected text. Blanks are ignored, and
// both are compared in compatibility form: the PDF maps some Chinese glyphs
// back to look-alike radicals ("⼀" for "一").
bool Shows(const QString &text, const QString &expected);
// The size of the first page, in millimetres.
QSizeF PageSizeMm(const QString &pdfPath);
int PageCount(const QString &pdfPath);

} // namespace PdfText
