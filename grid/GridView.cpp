#include "grid/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

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

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSortIndicatorShown(true);
    titles->setSortIndicator(-1, Qt::AscendingOrder); // no marker until a title is clicked
    titles->setMinimumSectionSize(8);

    // The indicator column: one fixed-width cell per row, marking the current row.
    QHeaderView *indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setHighlightSections(false);
    indicator->setFixedWidth(kIndicatorWidth);
    indicator->setDefaultSectionSize(fontMetrics().height() + 4);
}

void GridView::setDesignWidths(const std::vector<int> &widths)
{
    scaleColumns(widths);
}

std::vector<int> GridView::currentWidths() const
{
    std::vector<int> widths;
    for (int c = 0; c < horizontalHeader()->count(); ++c)
        widths.push_back(horizontalHeader()->sectionSize(c));
    return widths;
}

void GridView::scaleColumns(const std::vector<int> &weights)
{
    const int available = viewport()->width();
    const long long total = std::accumulate(weights.begin(), weights.end(), 0LL);
    const int count = std::min(int(weights.size()), horizontalHeader()->count());
    if (available <= 0 || total <= 0 || count == 0)
        return;
    int used = 0;
    for (int c = 0; c < count; ++c) {
        const int width = c + 1 == count ? available - used : int(weights[size_t(c)] * available / total);
        horizontalHeader()->resizeSection(c, std::max(width, 1));
        used += width;
    }
}

void GridView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() & Qt::ControlModifier) {
        event->accept();
        emit deleteRequested();
        return;
    }
    QTableView::keyPressEvent(event);
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
    if (event->type() == QEvent::Resize)
        scaleColumns(currentWidths());
    return handled;
}

void GridView::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
}
