#include "data/store/PagedRows.h"

#include "data/store/DataStore.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A page fills a screen many times over; the pages held stay a few thousand rows.
constexpr int kPageRows = 256;
constexpr size_t kHeldPages = 16;
constexpr double kSumUnits = 10000;

} // namespace

PagedRows::PagedRows(DataStore &store, PagedQuery query, Completion complete)
    : m_store(store)
    , m_query(std::move(query))
    , m_complete(std::move(complete))
{
    if (m_query.columns == QLatin1String("*"))
        m_query.columns = m_store.allColumns(m_query.table);
    aggregate();
    m_pages.emplace(0, read(Direction::Forward, nullptr, std::min(kPageRows, m_count), 0, true));
}

void PagedRows::aggregate()
{
    // Summed in whole 0.0001s, as the program sums figures: exact, whatever
    // order each engine adds them in.
    QStringList figures{QStringLiteral("count(*)")};
    for (const QString &column : m_query.summed)
        figures << QStringLiteral("sum(round(%1 * %2))").arg(column).arg(kSumUnits);
    const bool kept = !m_query.totals.isEmpty();
    Statement totals(m_store,
                     kept ? m_query.totals
                          : QStringLiteral("select %1 from %2 where (%3)")
                                .arg(figures.join(QStringLiteral(", ")), m_query.table, m_query.where),
                     kept ? std::vector<QVariant>{} : m_query.parameters);
    totals.step();
    m_count = int(totals.value(0).toLongLong());
    for (int i = 0; i < m_query.summed.size(); ++i)
        m_sums[m_query.summed[i]] = totals.value(i + 1).toDouble() / kSumUnits;
}

const PagedRows::Row &PagedRows::row(int index)
{
    return page(index / kPageRows).rows.at(size_t(index % kPageRows));
}

qint64 PagedRows::rowId(int index)
{
    return page(index / kPageRows).ids.at(size_t(index % kPageRows));
}

double PagedRows::sum(const QString &column) const
{
    const auto found = m_sums.find(column);
    return found == m_sums.end() ? 0.0 : found->second;
}

void PagedRows::removed(int index)
{
    // The pages from the row's on have moved up by one row; those before stay.
    m_pages.erase(m_pages.lower_bound(index / kPageRows), m_pages.end());
    const int left = m_count - 1;
    aggregate();
    m_count = left; // the list has lost this one row; rows others added come with the next search
}

PagedRows::Page &PagedRows::page(int number)
{
    if (const auto held = m_pages.find(number); held != m_pages.end())
        return held->second;
    const int first = number * kPageRows;
    const int end = std::min(first + kPageRows, m_count);
    const auto before = m_pages.find(number - 1);
    const auto behind = m_pages.find(number + 1);
    Page fresh;
    if (before != m_pages.end() && !before->second.keys.empty())
        fresh = read(Direction::Forward, &before->second.keys.back(), end - first, 0);
    else if (behind != m_pages.end() && !behind->second.keys.empty())
        fresh = read(Direction::Backward, &behind->second.keys.front(), end - first, 0);
    else if (first <= m_count - end)
        fresh = read(Direction::Forward, nullptr, end - first, first);
    else
        fresh = read(Direction::Backward, nullptr, end - first, m_count - end);
    while (m_pages.size() >= kHeldPages) {
        const auto farthest = std::max_element(m_pages.begin(), m_pages.end(), [number](const auto &a, const auto &b) {
            return std::abs(a.first - number) < std::abs(b.first - number);
        });
        m_pages.erase(farthest);
    }
    return m_pages.emplace(number, std::move(fresh)).first->second;
}

// `limit` rows in the list's order, from the first after `anchor` (or from an end,
// skipping `offset` rows). Rows others deleted meanwhile leave empty rows, so
// the list keeps the length it was counted at.
PagedRows::Page PagedRows::read(Direction direction, const Row *anchor, int limit, int offset, bool describe)
{
    // Forward in a descending list is backward in the key's order.
    const bool ascending = (direction == Direction::Forward) != m_query.descending;
    std::vector<QVariant> parameters = m_query.parameters;
    QString where = QStringLiteral("(%1)").arg(m_query.where);
    if (anchor)
        where += QStringLiteral(" and (%1)").arg(after(ascending, *anchor, parameters));
    QStringList order;
    for (const QString &column : m_query.key)
        order << column + QLatin1Char(' ')
                + (m_query.nullFirst && column == m_query.key.front()
                       ? (ascending ? QStringLiteral("asc") : QStringLiteral("desc"))
                       : m_store.orderOfKey(ascending));
    Statement rows(m_store,
                   QStringLiteral("select %1 AS __rowid, %2, %3 from %4 where %5 order by %6 limit %7 offset %8")
                       .arg(m_store.rowIdColumn(m_query.table), m_query.key.join(QStringLiteral(", ")), m_query.columns,
                            m_query.table, where, order.join(QStringLiteral(", ")))
                       .arg(limit)
                       .arg(offset),
                   parameters);
    const int keyEnd = 1 + int(m_query.key.size());
    if (describe) {
        for (int i = keyEnd; i < rows.columnCount(); ++i) {
            m_names << rows.columnName(i);
            m_types << rows.declaredType(i);
        }
    }
    Page page;
    while (rows.step()) {
        page.ids.push_back(rows.value(0).toLongLong());
        Row key;
        for (int i = 1; i < keyEnd; ++i)
            key.push_back(rows.value(i));
        page.keys.push_back(std::move(key));
        Row values;
        for (int i = keyEnd; i < rows.columnCount(); ++i)
            values.push_back(rows.value(i));
        page.rows.push_back(std::move(values));
    }
    if (direction == Direction::Backward) {
        std::reverse(page.ids.begin(), page.ids.end());
        std::reverse(page.keys.begin(), page.keys.end());
        std::reverse(page.rows.begin(), page.rows.end());
    }
    page.ids.resize(size_t(limit), 0);
    page.rows.resize(size_t(limit), Row(size_t(m_names.size())));
    if (m_complete)
        m_complete(m_names, page.rows);
    return page;
}

// The condition for the rows after the anchor in the key's order, or before
// it: a comparison of the key as a row value, which the engines answer from an index.
QString PagedRows::after(bool ascending, const Row &anchor, std::vector<QVariant> &parameters) const
{
    const QString comparison = ascending ? QStringLiteral(">") : QStringLiteral("<");
    const auto rowValue = [&](int from) {
        QStringList marks;
        for (size_t i = size_t(from); i < anchor.size(); ++i) {
            parameters.push_back(anchor[i]);
            marks << QStringLiteral("?%1").arg(parameters.size());
        }
        return QStringLiteral("(%1) %2 (%3)")
            .arg(m_query.key.mid(from).join(QStringLiteral(", ")), comparison, marks.join(QStringLiteral(", ")));
    };
    const QString first = m_query.key.front();
    if (!m_query.nullFirst)
        return rowValue(0);
    if (anchor.front().isNull())
        return ascending ? QStringLiteral("(%1 is null and %2) or %1 is not null").arg(first, rowValue(1))
                         : QStringLiteral("%1 is null and %2").arg(first, rowValue(1));
    return ascending ? rowValue(0) : QStringLiteral("%1 or %2 is null").arg(rowValue(0), first);
}
