#pragma once

#include "grid/GridColumn.h"

#include <QAbstractTableModel>

#include <vector>

class RowSet;

// A table model over a window of a row set: one model row per listed row the
// view has room for, from `first()` on, one model column per grid column. A
// view keeps bookkeeping for each row its model has; with a window the cost
// of a list is that of a screenful, whatever the list's length. Cells are read
// from the row set only when a view asks for them. Positions in the whole
// list ("positions") and model rows ("window rows") differ by first().
class GridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GridModel(QObject *parent = nullptr);

    void setRowSet(RowSet *rowSet);
    RowSet *rowSet() const { return m_rowSet; }
    void setColumns(const std::vector<GridColumn> &columns);
    const std::vector<GridColumn> &columns() const { return m_columns; }

    // Rows in the whole list.
    int listRows() const { return m_listRows; }
    int first() const { return m_first; }
    // Shows the positions from `first` on, as many as fit (set by setWindowRows);
    // the window is moved so that it ends no later than the list does.
    void moveWindow(int first);
    void setWindowRows(int rows);
    int windowRows() const { return m_windowRows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The text the cell at a position shows: the display format applied to the stored value.
    QString cellText(int position, int column) const;
    // The footer text of a column; sums are computed once per change of the rows.
    QString footerText(int column) const;

signals:
    // The row set's current row moved (a position; -1 when empty).
    void currentRowChanged(int position);
    // The window moved or was reset; it shows the row set's rows as they now are.
    void windowChanged();
    // The footer texts may have changed.
    void footerChanged();

private:
    void connectRowSet();
    void resetFromRowSet();
    void invalidateSums();
    int clampedFirst(int first) const;
    int shownRows() const;

    RowSet *m_rowSet = nullptr;
    std::vector<GridColumn> m_columns;
    std::vector<int> m_fieldIndex; // row-set column per grid column, -1 when none
    int m_listRows = 0; // rows as the views know them, updated inside begin/end notifications
    int m_first = 0;
    int m_windowRows = 1;
    int m_currentRow = -1;
    mutable bool m_sumsValid = false;
    mutable std::vector<double> m_sums;
};
