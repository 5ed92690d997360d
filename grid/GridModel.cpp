#include "grid/GridModel.h"

#include "base/NumberText.h"
#include "data/store/RowSet.h"

#include <QColor>

#include <algorithm>

namespace {

const QColor kOddRow(255, 255, 255); // positions 1, 3, 5 ...
const QColor kEvenRow(238, 238, 238); // positions 2, 4, 6 ...
const QString kCurrentMark = QStringLiteral("\u25B6");

} // namespace

GridModel::GridModel(QObject *parent)
    : QAbstractTableModel(parent)
{ }

void GridModel::setRowSet(RowSet *rowSet)
{
    if (m_rowSet == rowSet)
        return;
    beginResetModel();
    if (m_rowSet)
        disconnect(m_rowSet, nullptr, this, nullptr);
    m_rowSet = rowSet;
    m_first = 0;
    connectRowSet();
    resetFromRowSet();
    endResetModel();
    emit windowChanged();
    emit currentRowChanged(m_currentRow);
}

void GridModel::setColumns(const std::vector<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    resetFromRowSet();
    endResetModel();
    emit windowChanged();
}

int GridModel::clampedFirst(int first) const
{
    return std::max(0, std::min(first, m_listRows - m_windowRows));
}

int GridModel::shownRows() const
{
    return std::max(0, std::min(m_windowRows, m_listRows - m_first));
}

void GridModel::moveWindow(int first)
{
    first = clampedFirst(first);
    if (first == m_first)
        return;
    m_first = first;
    // As many rows as before, each now another position's.
    if (shownRows() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(shownRows() - 1, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, 0, shownRows() - 1);
    }
    emit windowChanged();
}

void GridModel::setWindowRows(int rows)
{
    rows = std::max(rows, 1);
    if (rows == m_windowRows)
        return;
    beginResetModel();
    m_windowRows = rows;
    m_first = clampedFirst(m_first);
    endResetModel();
    emit windowChanged();
}

void GridModel::connectRowSet()
{
    if (!m_rowSet)
        return;
    // A new list shows from its top; a row added or removed leaves the window
    // where it was. Either way the window's rows are taken again.
    connect(m_rowSet, &RowSet::aboutToReset, this, [this] {
        beginResetModel();
        m_first = 0;
    });
    connect(m_rowSet, &RowSet::rowAboutToBeInserted, this, [this] { beginResetModel(); });
    connect(m_rowSet, &RowSet::rowAboutToBeRemoved, this, [this] { beginResetModel(); });
    const auto taken = [this] {
        resetFromRowSet();
        endResetModel();
        emit windowChanged();
    };
    connect(m_rowSet, &RowSet::reset, this, taken);
    connect(m_rowSet, &RowSet::rowInserted, this, taken);
    connect(m_rowSet, &RowSet::rowRemoved, this, taken);
    connect(m_rowSet, &RowSet::rowChanged, this, [this](int position) {
        const int row = position - m_first;
        if (row >= 0 && row < shownRows() && columnCount() > 0)
            emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        invalidateSums();
    });
    connect(m_rowSet, &RowSet::currentChanged, this, [this](int position) {
        const int previous = m_currentRow - m_first;
        m_currentRow = position;
        for (const int row : {previous, position - m_first})
            if (row >= 0 && row < shownRows())
                emit headerDataChanged(Qt::Vertical, row, row);
        emit currentRowChanged(position);
    });
}

// Takes the row count and the column bindings from the row set as it now is.
void GridModel::resetFromRowSet()
{
    const bool open = m_rowSet && m_rowSet->isOpen();
    m_listRows = open ? m_rowSet->recordCount() : 0;
    m_first = clampedFirst(m_first);
    m_currentRow = open ? m_rowSet->currentIndex() : -1;
    m_fieldIndex.clear();
    for (const GridColumn &column : m_columns)
        m_fieldIndex.push_back(open && !column.field.isEmpty() ? m_rowSet->columnIndex(column.field) : -1);
    invalidateSums();
}

void GridModel::invalidateSums()
{
    m_sumsValid = false;
    emit footerChanged();
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : shownRows();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QString GridModel::cellText(int position, int column) const
{
    const GridColumn &definition = m_columns.at(size_t(column));
    const int field = m_fieldIndex.at(size_t(column));
    if (definition.rowNumbers || field < 0 || position < 0 || position >= m_listRows)
        return QString();
    if (!definition.displayFormat.isEmpty()) {
        const QVariant stored = m_rowSet->rawAt(position, field);
        if (stored.isNull())
            return QString();
        if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::LongLong)
            return FormatDisplay(stored.toDouble(), definition.displayFormat);
    }
    return m_rowSet->textAt(position, field);
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= shownRows())
        return {};
    const int position = m_first + index.row();
    switch (role) {
    case Qt::DisplayRole:
        return cellText(position, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns.at(size_t(index.column())).alignment | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        return position % 2 == 0 ? kOddRow : kEvenRow;
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return m_first + section == m_currentRow ? kCurrentMark : QString();
        if (role == Qt::TextAlignmentRole)
            return int(Qt::AlignCenter);
        return {};
    }
    if (section < 0 || section >= int(m_columns.size()))
        return {};
    const GridColumn &column = m_columns[size_t(section)];
    if (role == Qt::DisplayRole)
        return column.title.isEmpty() ? column.field : column.title;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

QString GridModel::footerText(int column) const
{
    const GridColumn &definition = m_columns.at(size_t(column));
    if (definition.footer == FooterKind::Text)
        return definition.footerText;
    if (definition.footer != FooterKind::Sum)
        return QString();
    if (!m_sumsValid) {
        // Asked once per change of the row set, not per paint.
        m_sums.assign(m_columns.size(), 0.0);
        for (size_t c = 0; c < m_columns.size(); ++c)
            if (m_columns[c].footer == FooterKind::Sum && m_fieldIndex[c] >= 0)
                m_sums[c] = m_rowSet->sum(m_fieldIndex[c]);
        m_sumsValid = true;
    }
    return NumberToText(m_sums[size_t(column)]);
}
