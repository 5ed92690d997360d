#pragma once

#include "grid/GridColumn.h"

#include <QFrame>
#include <QPainter> // complete for connections to columnCellDrawn

#include <vector>

class FooterBar;
class GridModel;
class GridView;
class QTableView;
class RowSet;

// A table view bound to a row set. It shows the row set's current row as the
// selected row and moves it with clicks and arrow keys; whole rows are
// selected, several with control-click. Columns are scaled to fill the width;
// titles toggle a sort marker without reordering the rows; rows alternate
// white and light grey. An optional footer row under the rows shows fixed
// texts or column sums kept current. Ctrl+Delete deletes the current or all
// selected rows of a writable row set after a confirmation question.
class DataGrid : public QFrame
{
    Q_OBJECT
public:
    explicit DataGrid(QWidget *parent = nullptr);
    ~DataGrid() override;

    // The row set stays owned by the caller; it may be open or closed.
    void setRowSet(RowSet *rowSet);
    RowSet *rowSet() const;

    void setColumns(const std::vector<GridColumn> &columns);
    const std::vector<GridColumn> &gridColumns() const;

    void setFooterVisible(bool visible);
    bool footerVisible() const;
    // The footer cell's text as shown: the fixed text, or the column's sum.
    QString footerText(int column) const;

    // The text a data cell shows (display format applied).
    QString cellText(int row, int column) const;

    // 0-based row positions of the highlighted rows, ascending.
    std::vector<int> selectedRowPositions() const;

    // The keyboard deletion: asks "删除记录？" or, with several rows
    // highlighted, "删除所有选中的记录？", and deletes on 确定. A row
    // set that only lists is not asked about.
    void deleteWithConfirmation();

    // The table inside, for its headers, fonts and tests that click on cells.
    QTableView *view() const;

signals:
    // A data cell was clicked; the clicked row is already current. Also raised
    // for a click on an empty grid, with column -1.
    void cellClicked(int column);
    // A double-click anywhere in the rows area, also on an empty grid.
    void dblClicked();
    // After the grid's own drawing of each data cell.
    void columnCellDrawn(QPainter *painter, const QRect &rect, int row, int column);
    // Rows were deleted by the keyboard deletion (also when it stopped on an error).
    void recordsDeleted();

private:
    void followRowSet(int row);
    void followView(int row);

    GridModel *m_model;
    GridView *m_view;
    FooterBar *m_footer;
    bool m_syncing = false;
};
