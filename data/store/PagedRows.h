#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <map>
#include <vector>

class DataStore;

// The rows of one table a paged row set lists: its columns, the rows' filter
// and the key that orders them.
struct PagedQuery
{
    QString table;
    QString columns; // the listed columns, "a, b, c", or "*" for the table's
    QString where; // the filter, with parameters ?1, ?2 ...
    std::vector<QVariant> parameters;
    // The order: columns whose values, taken together, are unique and never
    // null, but for the first when `nullFirst` says it may be (a null is then
    // ordered before every value).
    QStringList key;
    bool nullFirst = false;
    QStringList summed; // the columns the aggregate sums, each to 0.0001
    // A statement that gives the count and the sums (in 0.0001s) as the
    // engine keeps them for this filter; empty: they are counted and summed.
    QString totals;
    // Listed in the reverse of the key's order (newest first, nulls last),
    // still read by key.
    bool descending = false;
};

// A list of any length read a page at a time as its rows are asked for. A page
// next to one held is read by key after or before it, so every page costs what
// the first does; a page far from every page held (a jump into the middle)
// skips from the nearer end. The count and the sums come from one aggregate
// statement, or from the totals the engine keeps. Only a few pages are held at once.
class PagedRows
{
public:
    using Row = std::vector<QVariant>;
    // Adds the values a statement cannot make to each row of a page as it is read.
    using Completion = std::function<void(const QStringList &names, std::vector<Row> &rows)>;

    // Counts and sums the rows and reads the first page.
    PagedRows(DataStore &store, PagedQuery query, Completion complete);

    const QStringList &columnNames() const { return m_names; }
    const QStringList &declaredTypes() const { return m_types; }
    int count() const { return m_count; }
    // The row at a 0-based position; its page is read when not held.
    const Row &row(int index);
    qint64 rowId(int index);
    // The sum of a summed column over every row listed; 0 for none.
    double sum(const QString &column) const;

    // The row at `index` was deleted from the table: it leaves the list, and
    // the sums are taken again.
    void removed(int index);

private:
    struct Page
    {
        std::vector<qint64> ids;
        std::vector<Row> keys;
        std::vector<Row> rows;
    };
    enum class Direction { Forward, Backward };

    void aggregate();
    Page &page(int number);
    Page read(Direction direction, const Row *anchor, int limit, int offset, bool describe = false);
    QString after(bool ascending, const Row &anchor, std::vector<QVariant> &parameters) const;

    DataStore &m_store;
    PagedQuery m_query;
    Completion m_complete;
    QStringList m_names;
    QStringList m_types;
    int m_count = 0;
    std::map<QString, double> m_sums;
    std::map<int, Page> m_pages;
};
