#include "data/store/RowSet.h"

#include "base/AppError.h"
#include "data/store/ColumnValue.h"
#include "data/store/PagedRows.h"
#include "data/store/Session.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kRowIdColumn = QStringLiteral("__rowid");

QString quoted(const QString &name)
{
    return QLatin1Char('"') + name + QLatin1Char('"');
}

} // namespace

RowSet::RowSet(Session &connection, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_store(Store::Local)
{
    connect(&m_connection, &Session::aboutToClose, this, &RowSet::close);
}

RowSet::~RowSet() = default;

void RowSet::clearStatement()
{
    m_lines.clear();
}

void RowSet::addLine(const QString &line)
{
    m_lines << line;
}

void RowSet::setStatement(const QString &statement)
{
    m_lines = QStringList{statement};
}

QString RowSet::statement() const
{
    return m_lines.join(QLatin1Char('\n'));
}

void RowSet::setParameters(const std::vector<QVariant> &parameters)
{
    m_parameters = parameters;
}

void RowSet::setStore(Store store)
{
    m_store = store;
}

void RowSet::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
}

void RowSet::setDeletion(RowDeletion deletion)
{
    m_deletion = std::move(deletion);
}

void RowSet::setAppendedColumn(const QString &name, const QString &keyColumn, ColumnTexts texts)
{
    m_appended = AppendedColumn{name, keyColumn, std::move(texts)};
}

DataStore &RowSet::store() const
{
    return m_connection.in(m_store);
}

void RowSet::open()
{
    close();
    DataStore &connection = store();
    QString sql = statement();
    // "select * from <table> ..." and "select <columns> from <table> ..." can
    // write back: fetch each row's identity too.
    static const QRegularExpression writable(
        QStringLiteral("^\\s*select\\s+(\\*|\\w+(?:\\s*,\\s*\\w+)*)\\s+from\\s+(\\w+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const QRegularExpressionMatch match = writable.match(sql);
    QString table;
    QString selected;
    if (match.hasMatch() && !m_readOnly) {
        table = match.captured(2);
        selected = match.captured(1) == QLatin1String("*") ? connection.allColumns(table) : match.captured(1);
        sql.replace(match.capturedStart(0), match.capturedLength(0),
                    QStringLiteral("select %1 AS %2, %3 from %4")
                        .arg(connection.rowIdColumn(table), kRowIdColumn, selected, table));
        // Without an order of their own, rows come in the order they were added.
        if (!connection.keepsRowOrder() && !sql.contains(QStringLiteral("order by"), Qt::CaseInsensitive))
            sql += QStringLiteral(" order by ") + kRowIdColumn;
    }

    Statement query(connection, sql, m_parameters);
    const int first = table.isEmpty() ? 0 : 1;
    const int count = query.columnCount();
    std::vector<Column> columns;
    for (int i = first; i < count; ++i)
        columns.push_back({query.columnName(i), ColumnKindOfDeclaredType(query.declaredType(i))});

    std::vector<std::vector<QVariant>> rows;
    std::vector<qint64> rowIds;
    while (query.step()) {
        std::vector<QVariant> row;
        row.reserve(columns.size());
        for (int i = first; i < count; ++i)
            row.push_back(query.value(i));
        rows.push_back(std::move(row));
        if (!table.isEmpty())
            rowIds.push_back(query.value(0).toLongLong());
    }

    if (m_appended) {
        QStringList names;
        for (const Column &column : columns)
            names << column.name;
        appendTexts(names, rows);
        columns.push_back({m_appended->name, ColumnKind::Text});
    }

    emit aboutToReset();
    m_table = table;
    m_selected = selected;
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_rowIds = std::move(rowIds);
    m_open = true;
    m_state = State::Browse;
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    emit reset();
    emit currentChanged(m_current);
}

void RowSet::openPages(Store store, const PagedQuery &query)
{
    close();
    m_store = store;
    auto paged = std::make_unique<PagedRows>(
        this->store(), query, [this](const QStringList &names, std::vector<std::vector<QVariant>> &rows) {
            if (m_appended)
                appendTexts(names, rows);
        });
    std::vector<Column> columns;
    for (int i = 0; i < paged->columnNames().size(); ++i)
        columns.push_back({paged->columnNames()[i], ColumnKindOfDeclaredType(paged->declaredTypes()[i])});
    if (m_appended)
        columns.push_back({m_appended->name, ColumnKind::Text});

    emit aboutToReset();
    m_table = m_readOnly ? QString() : query.table;
    m_selected = query.columns;
    m_columns = std::move(columns);
    m_paged = std::move(paged);
    m_open = true;
    m_state = State::Browse;
    m_current = m_paged->count() > 0 ? 0 : -1;
    m_eof = m_current < 0;
    emit reset();
    emit currentChanged(m_current);
}

// The appended column's texts, for rows whose columns are `names`.
void RowSet::appendTexts(const QStringList &names, std::vector<std::vector<QVariant>> &rows) const
{
    const auto key = std::find_if(names.begin(), names.end(), [this](const QString &name) {
        return name.compare(m_appended->keyColumn, Qt::CaseInsensitive) == 0;
    });
    if (key == names.end())
        throw DataError(QStringLiteral("Field '%1' not found").arg(m_appended->keyColumn));
    const size_t keyIndex = size_t(key - names.begin());
    std::vector<QVariant> keys;
    keys.reserve(rows.size());
    for (const std::vector<QVariant> &row : rows)
        keys.push_back(row[keyIndex]);
    const std::vector<QString> texts = m_appended->texts(keys);
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].push_back(texts.at(i));
}

void RowSet::close()
{
    if (!m_open)
        return;
    emit aboutToReset();
    m_open = false;
    m_rows.clear();
    m_rowIds.clear();
    m_paged.reset();
    m_columns.clear();
    m_current = -1;
    m_eof = true;
    m_state = State::Browse;
    emit reset();
}

int RowSet::recordCount() const
{
    requireOpen();
    return rowCount();
}

int RowSet::rowCount() const
{
    return m_paged ? m_paged->count() : int(m_rows.size());
}

const std::vector<QVariant> &RowSet::rowAt(int index) const
{
    return m_paged ? m_paged->row(index) : m_rows.at(size_t(index));
}

qint64 RowSet::rowIdAt(int index) const
{
    return m_paged ? m_paged->rowId(index) : m_rowIds.at(size_t(index));
}

int RowSet::recNo() const
{
    requireOpen();
    return m_current + 1;
}

void RowSet::first()
{
    requireOpen();
    setCurrent(rowCount() == 0 ? -1 : 0);
    m_eof = rowCount() == 0;
}

void RowSet::next()
{
    requireOpen();
    if (m_current + 1 < rowCount())
        setCurrent(m_current + 1);
    else
        m_eof = true;
}

void RowSet::last()
{
    requireOpen();
    setCurrent(rowCount() - 1);
    m_eof = rowCount() == 0;
}

void RowSet::moveTo(int index)
{
    requireOpen();
    if (rowCount() == 0)
        return;
    setCurrent(std::clamp(index, 0, rowCount() - 1));
    m_eof = false;
}

void RowSet::setCurrent(int index)
{
    if (m_state != State::Browse)
        cancel();
    if (index == m_current)
        return;
    m_current = index;
    emit currentChanged(m_current);
}

int RowSet::columnCount() const
{
    return int(m_columns.size());
}

QString RowSet::columnName(int column) const
{
    return m_columns.at(size_t(column)).name;
}

int RowSet::columnIndex(const QString &name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

ColumnKind RowSet::columnKind(int column) const
{
    return m_columns.at(size_t(column)).kind;
}

QString RowSet::text(const QString &column) const
{
    const int index = requireColumn(column);
    requireCurrent();
    return textAt(m_current, index);
}

QVariant RowSet::value(const QString &column) const
{
    const int index = requireColumn(column);
    requireCurrent();
    const QVariant &stored = rowAt(m_current)[size_t(index)];
    return stored.isNull() ? QVariant(QString()) : stored;
}

QString RowSet::textAt(int row, int column) const
{
    return ColumnValueToText(m_columns.at(size_t(column)).kind, rowAt(row).at(size_t(column)));
}

QVariant RowSet::rawAt(int row, int column) const
{
    return rowAt(row).at(size_t(column));
}

double RowSet::sum(int column) const
{
    requireOpen();
    if (m_paged)
        return m_paged->sum(columnName(column));
    long double total = 0.0L;
    for (const std::vector<QVariant> &row : m_rows)
        if (const QVariant &stored = row.at(size_t(column)); !stored.isNull())
            total += stored.toDouble();
    return double(total);
}

void RowSet::edit()
{
    requireEditable();
    if (m_state != State::Browse)
        return;
    if (rowCount() == 0) {
        append();
        return;
    }
    m_state = State::Edit;
    m_pending = rowAt(m_current);
    m_assigned.assign(m_columns.size(), false);
}

void RowSet::append()
{
    requireEditable();
    m_state = State::Insert;
    m_pending.assign(m_columns.size(), QVariant());
    m_assigned.assign(m_columns.size(), false);
}

void RowSet::setText(const QString &column, const QString &text)
{
    if (m_state == State::Browse)
        throw DataError(QStringLiteral("Dataset not in edit or insert mode"));
    const int index = requireColumn(column);
    if (m_appended && index == columnCount() - 1)
        throw DataError(QStringLiteral("Field '%1' cannot be modified").arg(column));
    try {
        m_pending[size_t(index)] = ColumnValueFromText(m_columns[size_t(index)].kind, text,
                                                       m_columns[size_t(index)].name);
    } catch (...) {
        cancel(); // the row is stored whole or not at all
        throw;
    }
    m_assigned[size_t(index)] = true;
}

void RowSet::post()
{
    if (m_state == State::Browse)
        return;
    QStringList names;
    std::vector<QVariant> values;
    for (size_t i = 0; i < m_columns.size(); ++i) {
        if (m_assigned[i]) {
            names << quoted(m_columns[i].name);
            values.push_back(m_pending[i]);
        }
    }
    const State state = m_state;
    qint64 rowId = 0;
    try {
        if (state == State::Insert) {
            QStringList marks;
            for (int i = 1; i <= names.size(); ++i)
                marks << QStringLiteral("?%1").arg(i);
            rowId = store().insert(
                names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_table)
                                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                      .arg(m_table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                values, m_table);
        } else {
            rowId = m_rowIds[size_t(m_current)];
            if (!names.isEmpty()) {
                QStringList sets;
                for (int i = 0; i < names.size(); ++i)
                    sets << QStringLiteral("%1 = ?%2").arg(names[i]).arg(i + 1);
                values.push_back(rowId);
                store().exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                                 .arg(m_table, sets.join(QStringLiteral(", ")), store().rowIdColumn(m_table))
                                 .arg(values.size()),
                             values);
            }
        }
    } catch (...) {
        cancel();
        throw;
    }
    m_state = State::Browse;
    m_pending.clear();
    m_assigned.clear();

    if (state == State::Insert) {
        const int row = int(m_rows.size());
        emit rowAboutToBeInserted(row);
        m_rows.emplace_back();
        m_rowIds.push_back(rowId);
        reloadRow(row, rowId);
        emit rowInserted(row);
        m_eof = false;
        m_current = row;
        emit currentChanged(row);
    } else {
        reloadRow(m_current, rowId);
        emit rowChanged(m_current);
    }
}

void RowSet::cancel()
{
    m_state = State::Browse;
    m_pending.clear();
    m_assigned.clear();
}

void RowSet::deleteCurrent()
{
    requireWritable();
    requireCurrent();
    cancel();
    const int row = m_current;
    const qint64 rowId = rowIdAt(row);
    if (m_deletion)
        m_deletion(store(), m_table, rowId);
    else
        store().exec(QStringLiteral("DELETE FROM %1 WHERE %2 = ?1").arg(m_table, store().rowIdColumn(m_table)),
                     {rowId});
    emit rowAboutToBeRemoved(row);
    if (m_paged) {
        m_paged->removed(row);
    } else {
        m_rows.erase(m_rows.begin() + row);
        m_rowIds.erase(m_rowIds.begin() + row);
    }
    emit rowRemoved(row);
    m_current = rowCount() == 0 ? -1 : std::min(row, rowCount() - 1);
    m_eof = rowCount() == 0;
    emit currentChanged(m_current);
}

void RowSet::reloadRow(int index, qint64 rowId)
{
    Statement query(
        store(),
        QStringLiteral("select %1 from %2 where %3 = ?1").arg(m_selected, m_table, store().rowIdColumn(m_table)),
        {rowId});
    std::vector<QVariant> row;
    if (query.step())
        for (int i = 0; i < query.columnCount(); ++i)
            row.push_back(query.value(i));
    row.resize(m_columns.size());
    m_rows[size_t(index)] = std::move(row);
}

void RowSet::requireOpen() const
{
    if (!m_open)
        throw DataError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void RowSet::requireWritable() const
{
    requireOpen();
    if (m_table.isEmpty())
        throw DataError(QStringLiteral("Cannot modify a read-only dataset"));
}

void RowSet::requireEditable() const
{
    requireWritable();
    if (m_paged)
        throw DataError(QStringLiteral("Cannot modify a paged dataset"));
}

void RowSet::requireCurrent() const
{
    requireOpen();
    if (m_current < 0)
        throw DataError(QStringLiteral("Dataset is empty: no current record"));
}

int RowSet::requireColumn(const QString &name) const
{
    requireOpen();
    const int index = columnIndex(name);
    if (index < 0)
        throw DataError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}
