#include "grid/DataGrid.h"

#include "data/store/RowSet.h"
#include "grid/Dialogs.h"
#include "grid/FooterBar.h"
#include "grid/GridDelegate.h"
#include "grid/GridModel.h"
#include "grid/GridView.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>

DataGrid::DataGrid(QWidget *parent)
    : QFrame(parent)
    , m_model(new GridModel(this))
    , m_view(new GridView(this))
    , m_scrollBar(new QScrollBar(Qt::Vertical, this))
    , m_footer(new FooterBar(m_model, m_view, this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain); // the flat look
    auto *rowsAndBar = new QHBoxLayout;
    rowsAndBar->setContentsMargins(0, 0, 0, 0);
    rowsAndBar->setSpacing(0);
    rowsAndBar->addWidget(m_view, 1);
    rowsAndBar->addWidget(m_scrollBar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(rowsAndBar, 1);
    layout->addWidget(m_footer);
    m_footer->hide();
    m_scrollBar->hide();
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    // A drag shows its rows where it ends: a jump far into a long list skips
    // rows from the nearer end, too slow to repeat at every step of a drag.
    m_scrollBar->setTracking(false);
    setFocusProxy(m_view);

    m_view->setModel(m_model);
    m_model->setWindowRows(m_view->fittingRows());
    auto *delegate = new GridDelegate(m_model, m_view);
    m_view->setItemDelegate(delegate);
    QFont titleFont = m_view->horizontalHeader()->font();
    titleFont.setBold(true);
    m_view->horizontalHeader()->setFont(titleFont);

    connect(delegate, &GridDelegate::cellDrawn, this, &DataGrid::columnCellDrawn);
    connect(m_model, &GridModel::currentRowChanged, this, &DataGrid::followRowSet);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { followView(current.row()); });
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &DataGrid::followViewSelection);
    connect(m_view, &GridView::fittingRowsChanged, this, [this](int rows) {
        m_model->setWindowRows(rows);
        scrollToCurrent();
    });
    connect(m_model, &GridModel::windowChanged, this, &DataGrid::showWindow);
    connect(m_scrollBar, &QScrollBar::valueChanged, m_model, &GridModel::moveWindow);
    connect(m_view, &GridView::rowKeyPressed, this, &DataGrid::moveByKey);
    connect(m_view, &GridView::wheelTurned, this,
            [this](QWheelEvent *event) { QCoreApplication::sendEvent(m_scrollBar, event); });
    connect(m_view, &GridView::cellReleased, this, &DataGrid::cellClicked);
    connect(m_view, &GridView::doubleClickedAnywhere, this, &DataGrid::dblClicked);
    connect(m_view, &GridView::deleteRequested, this, &DataGrid::deleteWithConfirmation);
}

DataGrid::~DataGrid() = default;

void DataGrid::setRowSet(RowSet *rowSet)
{
    m_model->setRowSet(rowSet);
}

RowSet *DataGrid::rowSet() const
{
    return m_model->rowSet();
}

void DataGrid::setColumns(const std::vector<GridColumn> &columns)
{
    m_model->setColumns(columns);
    std::vector<int> widths;
    for (const GridColumn &column : columns)
        widths.push_back(column.width);
    m_view->setDesignWidths(widths);
}

const std::vector<GridColumn> &DataGrid::gridColumns() const
{
    return m_model->columns();
}

void DataGrid::setFooterVisible(bool visible)
{
    m_footer->setVisible(visible);
}

bool DataGrid::footerVisible() const
{
    return !m_footer->isHidden();
}

QString DataGrid::footerText(int column) const
{
    return m_model->footerText(column);
}

QString DataGrid::cellText(int row, int column) const
{
    return m_model->cellText(row, column);
}

int DataGrid::firstShownRow() const
{
    return m_model->first();
}

std::vector<int> DataGrid::selectedRowPositions() const
{
    return {m_highlighted.begin(), m_highlighted.end()};
}

QTableView *DataGrid::view() const
{
    return m_view;
}

// The row set moved its current row: show it, alone highlighted.
void DataGrid::followRowSet(int row)
{
    if (m_syncing)
        return; // the view moved it and highlights as it should
    m_highlighted.clear();
    if (row >= 0)
        m_highlighted.insert(row);
    scrollToCurrent();
    showWindow();
}

// Moves the window the least that shows the current row.
void DataGrid::scrollToCurrent()
{
    RowSet *rows = rowSet();
    const int row = rows && rows->isOpen() ? rows->currentIndex() : -1;
    if (row < 0)
        return;
    const int first = m_model->first();
    if (row < first)
        m_model->moveWindow(row);
    else if (row >= first + m_model->windowRows())
        m_model->moveWindow(row - m_model->windowRows() + 1);
}

// The user moved the view's current row: make it the row set's current row.
void DataGrid::followView(int windowRow)
{
    RowSet *rows = rowSet();
    if (m_syncing || m_showing || windowRow < 0 || !rows || !rows->isOpen())
        return;
    const int position = m_model->first() + windowRow;
    if (position == rows->currentIndex())
        return;
    m_syncing = true;
    rows->moveTo(position);
    m_syncing = false;
}

// The user highlighted rows on screen. With control held the rows highlighted
// off screen stay so; otherwise the screen's are all there are.
void DataGrid::followViewSelection()
{
    if (m_showing)
        return;
    const int first = m_model->first();
    if (m_view->extendingSelection())
        m_highlighted.erase(m_highlighted.lower_bound(first), m_highlighted.lower_bound(first + m_model->rowCount()));
    else
        m_highlighted.clear();
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        m_highlighted.insert(first + index.row());
}

void DataGrid::moveByKey(int key)
{
    RowSet *rows = rowSet();
    if (!rows || !rows->isOpen() || rows->recordCount() == 0)
        return;
    const int current = rows->currentIndex();
    const int page = m_model->windowRows();
    int target = current;
    switch (key) {
    case Qt::Key_Up:
        target = current - 1;
        break;
    case Qt::Key_Down:
        target = current + 1;
        break;
    case Qt::Key_PageUp:
        target = current - page;
        break;
    case Qt::Key_PageDown:
        target = current + page;
        break;
    case Qt::Key_Home:
        target = 0;
        break;
    case Qt::Key_End:
        target = rows->recordCount() - 1;
        break;
    }
    target = std::clamp(target, 0, rows->recordCount() - 1);
    if (target == current)
        followRowSet(current); // scrolled away from: shown again
    else
        rows->moveTo(target);
}

// The window moved or its rows were taken again: the bar, the highlighted
// rows and the current row follow it.
void DataGrid::showWindow()
{
    const int first = m_model->first();
    const int shown = m_model->rowCount();
    {
        const QSignalBlocker quiet(m_scrollBar);
        m_scrollBar->setRange(0, std::max(0, m_model->listRows() - m_model->windowRows()));
        m_scrollBar->setPageStep(m_model->windowRows());
        m_scrollBar->setValue(first);
    }
    m_scrollBar->setVisible(m_scrollBar->maximum() > 0);

    m_showing = true;
    QItemSelectionModel *selection = m_view->selectionModel();
    QItemSelection highlighted;
    for (auto it = m_highlighted.lower_bound(first); it != m_highlighted.end() && *it < first + shown; ++it)
        highlighted.select(m_model->index(*it - first, 0), m_model->index(*it - first, 0));
    selection->select(highlighted, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    RowSet *rows = rowSet();
    const int current = rows && rows->isOpen() ? rows->currentIndex() - first : -1;
    if (current >= 0 && current < shown)
        selection->setCurrentIndex(m_model->index(current, std::max(m_view->currentIndex().column(), 0)),
                                   QItemSelectionModel::NoUpdate);
    else
        selection->clearCurrentIndex();
    m_showing = false;
}

void DataGrid::deleteWithConfirmation()
{
    RowSet *rows = rowSet();
    if (!rows || !rows->isWritable() || rows->recordCount() == 0)
        return;
    const std::vector<int> selected = selectedRowPositions();
    const bool several = selected.size() > 1;
    if (!Dialogs::Confirm(this, several ? QStringLiteral("删除所有选中的记录？") : QStringLiteral("删除记录？")))
        return;
    Dialogs::Guarded(this, [this, rows, &selected, several] {
        try {
            if (several) {
                // From the last row up, so the positions still to delete stay valid.
                for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
                    rows->moveTo(*it);
                    rows->deleteCurrent();
                }
            } else {
                rows->deleteCurrent();
            }
        } catch (...) {
            emit recordsDeleted();
            throw;
        }
        emit recordsDeleted();
    });
}
