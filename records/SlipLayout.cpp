#include "records/SlipLayout.h"

#include "receipts/ReceiptLayoutParts.h"
#include "report/Report.h"
#include "report/ReportUnits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace SlipLayout {

Paper PaperFor(const QString &paperWidth)
{
    const bool narrow = paperWidth == QStringLiteral("58");
    return {narrow ? ReceiptLayout::kBandWidth58 : ReceiptLayout::kBandWidth76,
            ReceiptLayout::TextFont(narrow ? ReceiptLayout::kTextSize58 : ReceiptLayout::kTextSize76)};
}

std::unique_ptr<Report> NewSlip(const QString &name, const QString &paperWidth)
{
    const bool narrow = paperWidth == QStringLiteral("58");
    auto report = std::make_unique<Report>(name);
    report->setPaperWidthMm(narrow ? ReceiptLayout::kPaperWidth58 : ReceiptLayout::kPaperWidth76);
    report->setMarginsMm(ReceiptLayout::kPaperMargins);
    report->setBandWidthMm(PaperFor(paperWidth).bandWidthMm);
    // Laid out on paper long enough for anything until cut.
    report->setHeightUnits(std::numeric_limits<int>::max() / 2);
    return report;
}

void CutAfterContent(Report &report)
{
    double contentMm = 0;
    for (const PlacedBand &band : report.run().bands)
        contentMm = std::max(contentMm, band.topMm + band.heightMm);
    report.setHeightUnits(
        static_cast<int>(std::ceil(ReportUnits::ToUnits(contentMm + ReceiptLayout::kPaperMargins.bottom()))));
}

void TitleLines::addTo(Report &report, double bandWidthMm) const
{
    const int heightUnits = int(m_lines.size()) * kLineUnits + kLineUnits / 2;
    ReportBand *band = report.addBand(ReportBand::Kind::Title, QStringLiteral("TitleBand"), heightUnits);
    for (size_t row = 0; row < m_lines.size(); ++row) {
        const Line &line = m_lines[row];
        for (int i = 0; i < line.texts.size(); ++i)
            band->addLabel(QStringLiteral("Line%1_%2").arg(row).arg(i), line.texts[i],
                           line.starts[size_t(i)] * bandWidthMm, ReportUnits::ToMm(double(row) * kLineUnits),
                           line.font);
    }
}

} // namespace SlipLayout
