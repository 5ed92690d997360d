#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DataStore;
class PagedRows;
class Session;
struct PagedQuery;
enum class Store;

// How a column's value turns into text and back.
enum class ColumnKind { Text, Number, DateTime, AutoNumber };

// A row set: a statement of one or more lines, run into an in-memory snapshot
// with a current row. Statements of the form "select * from <table> ..." can
// also append, modify and delete rows of <table>; each row is found again in
// the table by its row identity; so can "select <columns> from <table> ...".
// User text is passed as positional parameters (?1, ?2 ...), never pasted
// into the statement.
class RowSet : public QObject
{
    Q_OBJECT
public:
    explicit RowSet(Session &connection, QObject *parent = nullptr);
    ~RowSet() override;

    Session &connection() const { return m_connection; }

    // Statement: its lines joined by line breaks; a change takes effect at the next open().
    void clearStatement();
    void addLine(const QString &line);
    void setStatement(const QString &statement);
    QString statement() const;
    void setParameters(const std::vector<QVariant> &parameters);
    // Which store the statement reads (Store::Local unless set); from the next open().
    void setStore(Store store);
    // Lists only, whatever the statement: nothing is written back; from the next open().
    void setReadOnly(bool readOnly);
    bool isWritable() const { return m_open && !m_table.isEmpty(); }
    // How deleteCurrent() takes a row out of the row set's table in its store:
    // tables whose rows must leave a trace install one; without it the row is
    // simply deleted.
    using RowDeletion = std::function<void(DataStore &store, const QString &table, qint64 rowId)>;
    void setDeletion(RowDeletion deletion);
    // A read-only text column after the statement's own, made at each open for
    // all rows at once from their values of `keyColumn`: for texts a statement
    // cannot make alike on every engine. A posted row shows it empty until the
    // next open.
    using ColumnTexts = std::function<std::vector<QString>(const std::vector<QVariant> &keys)>;
    void setAppendedColumn(const QString &name, const QString &keyColumn, ColumnTexts texts);

    void open(); // runs the statement; first row current; connects first when needed
    // Lists the rows of a query in the given store a page at a time instead of
    // running the statement: a list of any length costs what a page does. The
    // rows can be deleted, not edited.
    void openPages(Store store, const PagedQuery &query);
    void close();
    bool isOpen() const { return m_open; }

    int recordCount() const;
    int recNo() const; // 1-based position of the current row; 0 when empty
    int currentIndex() const { return m_current; } // 0-based; -1 when empty
    bool eof() const { return m_eof; }
    void first();
    void next();
    void last();
    void moveTo(int index); // 0-based; clamps into range

    int columnCount() const;
    QString columnName(int column) const;
    int columnIndex(const QString &name) const; // -1 when absent
    ColumnKind columnKind(int column) const;
    QString tableName() const { return m_table; }

    // Current row, by column name; throws DataError for an unknown column.
    QString text(const QString &column) const;
    QVariant value(const QString &column) const; // NULL turns into empty text
    // Any row, by position: for grids and reports.
    QString textAt(int row, int column) const;
    QVariant rawAt(int row, int column) const; // stored value: double, qint64, QString or null
    // A number column's sum over every row; a paged row set has it from the engine.
    double sum(int column) const;

    // Editing: edit() the current row (begins a new row on an empty row set),
    // append() a new row at the end, setText() per column, post() writes at once.
    // A text a column refuses throws and discards the whole pending row, so a
    // row is never stored half-written.
    void edit();
    void append();
    void setText(const QString &column, const QString &text);
    void post();
    void cancel();
    bool isEditing() const { return m_state != State::Browse; }

    void deleteCurrent(); // deletes the current row from the table at once

signals:
    void aboutToReset(); // before an open or close replaces the rows
    void reset(); // opened or closed: everything may have changed
    void rowChanged(int row); // a posted edit
    void rowAboutToBeInserted(int row); // a posted append, before the row is added
    void rowInserted(int row); // ... and after
    void rowAboutToBeRemoved(int row); // a delete, before the row goes
    void rowRemoved(int row); // ... and after
    void currentChanged(int row);

private:
    enum class State { Browse, Edit, Insert };
    struct Column
    {
        QString name;
        ColumnKind kind;
    };

    void requireOpen() const;
    void requireWritable() const;
    void requireEditable() const;
    void requireCurrent() const;
    int requireColumn(const QString &name) const;
    void setCurrent(int index);
    void appendTexts(const QStringList &names, std::vector<std::vector<QVariant>> &rows) const;
    int rowCount() const; // the rows listed, held or paged
    const std::vector<QVariant> &rowAt(int index) const;
    qint64 rowIdAt(int index) const;
    void reloadRow(int index, qint64 rowId);
    DataStore &store() const; // the store the statement runs on

    Session &m_connection;
    Store m_store;
    bool m_readOnly = false;
    RowDeletion m_deletion;
    QStringList m_lines;
    std::vector<QVariant> m_parameters;
    struct AppendedColumn
    {
        QString name;
        QString keyColumn;
        ColumnTexts texts;
    };
    std::optional<AppendedColumn> m_appended;
    bool m_open = false;
    QString m_table; // set when the statement can write
    QString m_selected; // its columns: "*" or a list of names
    std::vector<Column> m_columns;
    std::vector<std::vector<QVariant>> m_rows;
    std::vector<qint64> m_rowIds;
    std::unique_ptr<PagedRows> m_paged; // instead of the rows above, when listed a page at a time
    int m_current = -1;
    bool m_eof = true;
    State m_state = State::Browse;
    std::vector<QVariant> m_pending;
    std::vector<bool> m_assigned;
};
