#include "records/RecordColumns.h"

namespace RecordColumns {

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

GridColumn Column(const char *field, int width, Qt::Alignment alignment)
{
    GridColumn column;
    column.field = QString::fromUtf8(field);
    column.width = width;
    column.alignment = alignment;
    return column;
}

// The first column numbers the rows over the auto-number and heads the footer.
GridColumn Position()
{
    GridColumn column = Column("序号", 50, kLeft);
    column.rowNumbers = true;
    column.footer = FooterKind::Text;
    column.footerText = QStringLiteral("合计");
    column.footerAlignment = Qt::AlignCenter;
    return column;
}

GridColumn Number(const char *field, int width, FooterKind footer)
{
    GridColumn column = Column(field, width, kLeft);
    column.displayFormat = QStringLiteral("#0.##");
    column.footer = footer;
    return column;
}

} // namespace

std::vector<GridColumn> Products()
{
    GridColumn position = Column("", 50, Qt::AlignCenter);
    position.title = QStringLiteral("序号");
    position.rowNumbers = true;
    return {
        position,
        Column("品名", 200, Qt::AlignCenter),
        Column("单价", 80, Qt::AlignCenter),
        Column("备注", 100, Qt::AlignCenter),
        Column("条码", 130, Qt::AlignCenter),
        Column("简码", 80, Qt::AlignCenter),
    };
}

std::vector<GridColumn> Tickets()
{
    return {
        Position(),
        Column("单号", 100, kLeft),
        Column("时间", 100, kLeft),
        Number("数量", 50, FooterKind::Sum),
        Number("金额", 90, FooterKind::Sum),
        Number("折后", 90, FooterKind::Sum),
        Column("收银员", 100, kLeft),
        Column("支付方式", 140, kLeft),
    };
}

std::vector<GridColumn> SoldLines()
{
    return {
        Position(),
        Column("单号", 100, kLeft),
        Column("时间", 100, kLeft),
        Column("品名", 120, kLeft),
        Number("单价", 80, FooterKind::None),
        Number("数量", 50, FooterKind::Sum),
        Number("金额", 90, FooterKind::Sum),
        Number("折后", 90, FooterKind::Sum),
    };
}

std::vector<GridColumn> Deletions()
{
    GridColumn position = Column("序号", 50, kLeft);
    position.rowNumbers = true;
    return {
        position,
        Column("时间", 130, kLeft),
        Column("收银员", 70, kLeft),
        Column("表名", 50, kLeft),
        Column("单号", 120, kLeft),
        Column("内容", 360, kLeft),
    };
}

} // namespace RecordColumns
