#include "grid/GridDelegate.h"

#include "grid/GridModel.h"

#include <QPainter>

GridDelegate::GridDelegate(GridModel *model, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_model(model)
{ }

void GridDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    cell.state &= ~QStyle::State_HasFocus;
    QStyledItemDelegate::paint(painter, cell, index);

    if (m_model->columns().at(size_t(index.column())).rowNumbers) {
        // The row's 1-based position, 3 px right of the cell's left edge and
        // 2 px below its top, clipped to the cell, in the cell's font and colours.
        const bool selected = cell.state & QStyle::State_Selected;
        painter->save();
        painter->setClipRect(cell.rect);
        painter->setFont(cell.font);
        painter->setPen(cell.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(cell.rect.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                          QString::number(m_model->first() + index.row() + 1));
        painter->restore();
    }
    emit cellDrawn(painter, option.rect, m_model->first() + index.row(), index.column());
}
