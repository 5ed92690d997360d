#include "tests/checkout/SampleReceipt.h"

#include "data/AppError.h"

#include <QFont>
#include <QMarginsF>

namespace {

const QStringList kFields{QStringLiteral("品名"), QStringLiteral("单价"), QStringLiteral("数量"),
                          QStringLiteral("折后")};

QFont TextFont(double size, bool bold = false)
{
    QFont font(QStringLiteral("方正兰亭刊黑_GBK"));
    font.setPointSizeF(size);
    font.setBold(bold);
    return font;
}

} // namespace

SampleReceipt::Lines::Lines(int count)
{
    for (int i = 1; i <= count; ++i)
        m_rows.push_back({QStringLiteral("商品%1 特价装").arg(i), QString::number(i * 1.5, 'f', 2),
                          QString::number(i % 3 + 1), QString::number(i * 1.5 * (i % 3 + 1), 'f', 2)});
}

int SampleReceipt::Lines::rowCount() const
{
    return int(m_rows.size());
}

QString SampleReceipt::Lines::fieldText(int row, const QString &field) const
{
    const qsizetype column = kFields.indexOf(field);
    if (column < 0)
        throw AppError(QStringLiteral("no field %1").arg(field));
    return row < 0 ? QString() : m_rows.at(size_t(row)).at(column);
}

SampleReceipt::SampleReceipt(int lines, double paperWidthMm)
    : m_lines(lines)
    , m_report(QStringLiteral("sample"))
{
    const double bandWidth = paperWidthMm - 10;
    m_report.setPaperWidthMm(paperWidthMm);
    m_report.setMarginsMm(QMarginsF(5, 10, 5, 10));
    m_report.setBandWidthMm(bandWidth);
    m_report.setHeightUnits(350 + 25 * lines);
    m_report.setDetailData(&m_lines);

    ReportBand *title = m_report.addBand(ReportBand::Kind::Title, QStringLiteral("title"), 90);
    title->addLabel(QStringLiteral("shop"), QStringLiteral("幸福便利店"), 8, 0, TextFont(14, true));
    title->addLabel(QStringLiteral("number"), QStringLiteral("单号：20261209181500"), 0, 9, TextFont(9));
    title->addLabel(QStringLiteral("time"), QStringLiteral("时间：2026-12-09 18:15:00"), 0, 14, TextFont(9));
    title->addLabel(QStringLiteral("head"), QStringLiteral("品名      单价    数量    金额"), 0, 19, TextFont(9));

    ReportBand *detail = m_report.addBand(ReportBand::Kind::Detail, QStringLiteral("detail"), 25);
    const double step = bandWidth / 4;
    for (int column = 0; column < kFields.size(); ++column)
        detail->addField(kFields[column], m_lines, kFields[column], column == 0 ? 0 : step * (column + 0.2),
                         column == 0 ? 0.5 : 3.4, TextFont(9));

    ReportBand *summary = m_report.addBand(ReportBand::Kind::Summary, QStringLiteral("summary"), 120);
    QFont dashes(QStringLiteral("Arial"));
    dashes.setPointSizeF(10);
    summary->addLabel(QStringLiteral("rule"), QString(38, u'-'), 0, 0, dashes);
    summary->addLabel(QStringLiteral("total"), QStringLiteral("合计：%1 件  应付：128.50").arg(lines), 0, 5,
                      TextFont(10, true));
    summary->addLabel(QStringLiteral("paid"), QStringLiteral("支付：200  找零：71.50"), 0, 11, TextFont(9));
    summary->addLabel(QStringLiteral("thanks"), QStringLiteral("谢谢惠顾，欢迎再次光临！"), 0, 18, TextFont(9));
}
