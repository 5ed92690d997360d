#include "tests/support/PdfText.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <stdexcept>

namespace {

QString Run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        throw std::runtime_error((program + QStringLiteral(" failed: ")).toStdString()
                                 + process.readAllStandardError().toStdString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString Info(const QString &pdfPath)
{
    return Run(QStringLiteral("pdfinfo"), {pdfPath});
}

} // namespace

namespace PdfText {

QString Text(const QString &pdfPath)
{
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdfPath, QStringLiteral("-")});
}

QString Comparable(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).remove(QRegularExpression(QStringLiteral("\\s")));
}

bool Shows(const QString &text, const QString &expected)
{
    return Comparable(text).contains(Comparable(expected));
}

QSizeF PageSizeMm(const QString &pdfPath)
{
    const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
    const auto match = size.match(Info(pdfPath));
    if (!match.hasMatch())
        throw std::runtime_error("pdfinfo shows no page size");
    const double mmPerPoint = 25.4 / 72;
    return QSizeF(match.captured(1).toDouble() * mmPerPoint, match.captured(2).toDouble() * mmPerPoint);
}

int PageCount(const QString &pdfPath)
{
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(Info(pdfPath));
    if (!match.hasMatch())
        throw std::runtime_error("pdfinfo shows no page count");
    return match.captured(1).toInt();
}

std::vector<Word> Words(const QString &pdfPath)
{
    const QString page = Run(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    for (auto match = word.globalMatch(page); match.hasNext();) {
        const auto found = match.next();
        const QPointF topLeft(found.captured(1).toDouble(), found.captured(2).toDouble());
        const QPointF bottomRight(found.captured(3).toDouble(), found.captured(4).toDouble());
        words.push_back({found.captured(5), QRectF(topLeft, bottomRight)});
    }
    return words;
}

QStringList CrowdedWords(const QString &pdfPath)
{
    const QRectF paper(QPointF(0, 0), PageSizeMm(pdfPath) * (72 / 25.4));
    // A word's box spans its font's whole line height and each glyph's full
    // advance, while the ink lies inside: a caption's full-width colon may
    // reach into the value after it, but no word may cover a quarter of another.
    const auto ink = [](const QRectF &box) { return box.adjusted(0, box.height() * 0.2, 0, -box.height() * 0.2); };
    const auto area = [](const QRectF &box) { return box.width() * box.height(); };
    const auto covers = [&](const QRectF &a, const QRectF &b) {
        return area(ink(a) & ink(b)) > 0.25 * std::min(area(ink(a)), area(ink(b)));
    };
    const auto isRule = [](const QString &text) { return text.startsWith(QStringLiteral("---")); };
    const std::vector<Word> words = Words(pdfPath);
    QStringList crowded;
    for (size_t i = 0; i < words.size(); ++i) {
        if (!paper.contains(words[i].box))
            crowded << words[i].text + QStringLiteral(" leaves the paper");
        for (size_t j = i + 1; j < words.size(); ++j) {
            if (!isRule(words[i].text) && !isRule(words[j].text) && covers(words[i].box, words[j].box))
                crowded << words[i].text + QStringLiteral(" overlaps ") + words[j].text;
        }
    }
    return crowded;
}

} // namespace PdfText
