#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class DataStore;

// One row to insert into a table: texts converted as the table's columns
// require (a refused text throws ConversionError before anything is stored).
// For data/ only.
class NewRow
{
public:
    explicit NewRow(QString table);

    QString table() const { return m_table; }
    void set(const QString &column, const QString &text); // replaces what the column held
    // Keeps a figure that is a number and leaves the column empty otherwise.
    void setIfNumber(const QString &column, const QString &text);
    QVariant value(const QString &column) const; // null when not set

    // "INSERT INTO <table> (...) VALUES (...)" with its values bound; `tail`
    // follows it (a conflict clause, a returning clause).
    void insert(DataStore &store, const QString &tail = {}) const;
    QString insertStatement() const;
    const std::vector<QVariant> &values() const { return m_values; }

    // The row as it waits in a counter's outbox, and back.
    QJsonObject toJson() const;
    static NewRow fromJson(const QString &table, const QJsonObject &json);

private:
    QString m_table;
    QStringList m_columns;
    std::vector<QVariant> m_values;
};
