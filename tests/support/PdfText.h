#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <vector>

// Reads a PDF file back with the poppler tools.
namespace PdfText {

// The text of every page, pages separated by form feeds.
QString Text(const QString &pdfPath);
// A text read back, made comparable: without blanks, in compatibility form
// (the PDF maps some Chinese glyphs back to look-alike radicals, "⼀" for "一").
QString Comparable(const QString &text);
// Whether the text read back shows the expected text, both made comparable.
bool Shows(const QString &text, const QString &expected);
// The size of the first page, in millimetres.
QSizeF PageSizeMm(const QString &pdfPath);
int PageCount(const QString &pdfPath);

// Where each word of the first page lies, in points from the top-left corner,
// with its text.
struct Word
{
    QString text;
    QRectF box;
};
std::vector<Word> Words(const QString &pdfPath);
// The first page's words that cover a quarter of another's ink or leave the
// paper, as "a overlaps b" or "a leaves the paper". Dash rules are thin lines
// drawn across rows by design, so they may cross.
QStringList CrowdedWords(const QString &pdfPath);

} // namespace PdfText
