#pragma once

#include <QTableView>

#include <vector>

// The table inside a DataGrid: whole-row selection, no editing, a narrow
// indicator column, titles that toggle a sort marker, and columns scaled to
// fill the width. It reports the grid's own mouse and key events as signals.
class GridView : public QTableView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // The widths the columns are scaled from; applied at once.
    void setDesignWidths(const std::vector<int> &widths);

signals:
    void cellReleased(int column); // -1 for a click on an empty grid
    void doubleClickedAnywhere();
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Scales the column weights together so that the columns fill the viewport.
    void scaleColumns();

    std::vector<int> m_weights; // the design widths, or the widths the user dragged
    bool m_scaling = false;
};
