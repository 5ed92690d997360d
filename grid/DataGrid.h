#pragma once

#include "grid/GridColumn.h"

#include <QFrame>
#include <QPainter> // complete for connections to columnCellDrawn

#include <set>
#include <vector>

class FooterBar;
class GridModel;
class GridView;
class QScrollBar;
class QTableView;
class RowSet;

// A table view bound to a row set. It shows the row set's current row as the
// selected row and moves it with clicks and arrow keys; whole rows are
// selected, several with control-click. Only the rows on screen are the
// view's; its scroll bar spans the whole list, so a list of millions opens
// and scrolls as quickly as a short one. Columns are scaled to fill the width;
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

    // The text the data cell at a 0-based position shows (display format applied).
    QString cellText(int row, int column) const;
    // The first position on screen.
    int firstShownRow() const;

    // 0-based row positions of the highlighted rows, ascending.
    std::vector<int> selectedRowPositions() const;

    // The keyboard deletion: asks "删除记录？" or, with several rows
    // highlighted, "删除所有选中的记录？", and deletes on 确定. A row
    // set that only lists is not asked about.
    void deleteWithConfirmation();

    // The table inside, for its headers and fonts, and for tests that click on
    // cells: its model's row r is the position firstShownRow() + r.
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
    void followView(int windowRow);
    void followViewSelection();
    void moveByKey(int key);
    void scrollToCurrent();
    void showWindow();

    GridModel *m_model;
    GridView *m_view;
    QScrollBar *m_scrollBar;
    FooterBar *m_footer;
    std::set<int> m_highlighted; // positions, also those off screen
    bool m_syncing = false;
    bool m_showing = false;
};
