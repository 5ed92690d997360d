#pragma once

#include "grid/GridColumn.h"

#include <QAbstractTableModel>

#include <vector>

class RowSet;

// A table model over a row set: one model row per row held, one model column
// per grid column. Cells are read from the row set only when a view asks for
// them, so a large row set costs nothing per row that is not on screen.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    void setRowSet(RowSet *rowSet);
    RowSet *rowSet() const { return m_rowSet; }
    void setColumns(const std::vector<GridColumn> &columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The text a cell shows: the display format applied to the stored value.
    QString cellText(int row, int column) const;
    // The footer text of a column; sums are computed once per change of the rows.
    QString footerText(int column) const;

signals:
    // The row set's current row moved (0-based; -1 when empty).
    void currentRowChanged(int row);
    // The footer texts may have changed.
    void footerChanged();

private:
    void connectRowSet();
    void resetFromRowSet();
    void invalidateSums();

    RowSet *m_rowSet = nullptr;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndex; // row-set column per grid column, -1 when none
    int m_rows = 0; // rows as the views know them, updated inside begin/end notifications
    int m_currentRow = -1;
    mutable bool m_sumsValid = false;
    mutable std::vector<double> m_sums;
};
