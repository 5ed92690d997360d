#pragma once

#include <QTableView>

#include <vector>

// The table inside a DataGrid: whole-row selection, no editing, a narrow
// indicator column, titles that toggle a sort marker, and columns scaled to
// fill the width. It shows the window of rows its model has and never scrolls
// vertically itself: it reports the rows that fit, the keys that move the
// current row and the wheel as signals, with the grid's own mouse and key events.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // The widths the columns are scaled from; applied at once.
    void setDesignWidths(const std::vector<int> &widths);
    // Whole rows that fit the viewport.
    int fittingRows() const;
    // Whether the input being handled adds to the highlighted rows (control
    // held) rather than replacing them. A shift range is the screen's alone:
    // its anchor is a row on screen, which scrolling gives to another position.
    bool extendingSelection() const { return m_inputModifiers & Qt::ControlModifier; }

signals:
    void cellReleased(int column); // -1 for a click on an empty grid
    void doubleClickedAnywhere();
    void deleteRequested();
    void fittingRowsChanged(int rows);
    // Up, Down, Page Up, Page Down, Ctrl+Home or Ctrl+End.
    void rowKeyPressed(int key);
    void wheelTurned(QWheelEvent *event);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Scales the column weights together so that the columns fill the viewport.
    void scaleColumns();

    std::vector<int> m_weights; // the design widths, or the widths the user dragged
    bool m_scaling = false;
    Qt::KeyboardModifiers m_inputModifiers;
};
