#pragma once

#include <QStyledItemDelegate>

class GridModel;

// Draws a grid's cells: the row position in row-number columns, no focus
// frame, and after each cell a notice for the grid's own drawing event.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    GridDelegate(GridModel *model, QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

signals:
    void cellDrawn(QPainter *painter, const QRect &rect, int row, int column) const;

private:
    GridModel *m_model;
};
