#include "grid/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kIndicatorWidth = 12;

} // namespace

GridView::GridView(QWidget *parent)
    : QTableView(parent)
{
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setShowGrid(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // the grid's own bar spans the whole list

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSortIndicatorShown(true);
    titles->setSortIndicator(-1, Qt::AscendingOrder); // no marker until a title is clicked
    titles->setMinimumSectionSize(8);
    // A column the user drags keeps its new share when the grid is resized.
    connect(titles, &QHeaderView::sectionResized, this, [this, titles](int, int, int) {
        if (m_scaling)
            return;
        m_weights.clear();
        for (int c = 0; c < titles->count(); ++c)
            m_weights.push_back(titles->sectionSize(c));
    });

    // The indicator column: one fixed-width cell per row, marking the current row.
    QHeaderView *indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setHighlightSections(false);
    indicator->setFixedWidth(kIndicatorWidth);
    indicator->setDefaultSectionSize(fontMetrics().height() + 4);
}

void GridView::setDesignWidths(const std::vector<int> &widths)
{
    m_weights = widths;
    scaleColumns();
}

void GridView::scaleColumns()
{
    const int available = viewport()->width();
    const int count = std::min(int(m_weights.size()), horizontalHeader()->count());
    const long long total = std::accumulate(m_weights.begin(), m_weights.begin() + count, 0LL);
    if (available <= 0 || total <= 0)
        return;
    // Each column ends where its share of the weights ends, so rounding never drifts.
    m_scaling = true;
    long long weightSoFar = 0;
    int edge = 0;
    for (int c = 0; c < count; ++c) {
        weightSoFar += m_weights[size_t(c)];
        const int nextEdge = int((weightSoFar * available + total / 2) / total);
        horizontalHeader()->resizeSection(c, std::max(nextEdge - edge, 1));
        edge = nextEdge;
    }
    m_scaling = false;
}

int GridView::fittingRows() const
{
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    m_inputModifiers = event->modifiers();
    const bool control = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (key == Qt::Key_Delete && control) {
        event->accept();
        emit deleteRequested();
        return;
    }
    if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown
        || (control && (key == Qt::Key_Home || key == Qt::Key_End))) {
        event->accept();
        emit rowKeyPressed(key);
        return;
    }
    QTableView::keyPressEvent(event);
}

void GridView::mousePressEvent(QMouseEvent *event)
{
    m_inputModifiers = event->modifiers();
    QTableView::mousePressEvent(event);
}

void GridView::mouseMoveEvent(QMouseEvent *event)
{
    m_inputModifiers = event->modifiers();
    QTableView::mouseMoveEvent(event);
}

void GridView::wheelEvent(QWheelEvent *event)
{
    if (event->angleDelta().y() == 0) {
        QTableView::wheelEvent(event); // sideways
        return;
    }
    emit wheelTurned(event);
}

void GridView::mouseReleaseEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    QTableView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (index.isValid())
        emit cellReleased(index.column());
    else if (model() && model()->rowCount() == 0)
        emit cellReleased(-1);
}

void GridView::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClickedAnywhere();
}

bool GridView::viewportEvent(QEvent *event)
{
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize) {
        scaleColumns();
        emit fittingRowsChanged(fittingRows());
    }
    return handled;
}

void GridView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
        emit fittingRowsChanged(fittingRows());
    }
}
