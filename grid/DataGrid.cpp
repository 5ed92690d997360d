#include "grid/DataGrid.h"

#include "data/store/RowSet.h"
#include "grid/Dialogs.h"
#include "grid/FooterBar.h"
#include "grid/GridDelegate.h"
#include "grid/GridModel.h"
#include "grid/GridView.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>

DataGrid::DataGrid(QWidget *parent)
    : QFrame(parent)
    , m_model(new GridModel(this))
    , m_view(new GridView(this))
    , m_footer(new FooterBar(m_model, m_view, this))
{
    setFrameStyle(QFrame::Box | QFrame::Plain); // the flat look
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);
    m_footer->hide();
    setFocusProxy(m_view);

    m_view->setModel(m_model);
    auto *delegate = new GridDelegate(m_model, m_view);
    m_view->setItemDelegate(delegate);
    QFont titleFont = m_view->horizontalHeader()->font();
    titleFont.setBold(true);
    m_view->horizontalHeader()->setFont(titleFont);

    connect(delegate, &GridDelegate::cellDrawn, this, &DataGrid::columnCellDrawn);
    connect(m_model, &GridModel::currentRowChanged, this, &DataGrid::followRowSet);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { followView(current.row()); });
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

std::vector<int> DataGrid::selectedRowPositions() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : m_view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QTableView *DataGrid::view() const
{
    return m_view;
}

// The row set moved its current row: show it as the selected row.
void DataGrid::followRowSet(int row)
{
    if (m_syncing)
        return;
    m_syncing = true;
    QItemSelectionModel *selection = m_view->selectionModel();
    if (row < 0) {
        selection->clear();
    } else {
        const QModelIndex index = m_model->index(row, std::max(m_view->currentIndex().column(), 0));
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    }
    m_syncing = false;
}

// The user moved the view's current row: make it the row set's current row.
void DataGrid::followView(int row)
{
    RowSet *rows = rowSet();
    if (m_syncing || row < 0 || !rows || !rows->isOpen() || row == rows->currentIndex())
        return;
    m_syncing = true;
    rows->moveTo(row);
    m_syncing = false;
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
