#include "data/store/NewRow.h"

#include "base/NumberText.h"
#include "data/store/ColumnValue.h"
#include "data/store/DataStore.h"
#include "data/store/Schema.h"

#include <QJsonValue>

#include <utility>

namespace {

ColumnKind kindOf(const QString &table, const QString &column)
{
    for (const Schema::Table &t : Schema::Tables()) {
        if (QString::fromUtf8(t.name) != table)
            continue;
        for (const Schema::Column &c : t.columns)
            if (QString::fromUtf8(c.name) == column)
                return ColumnKindOfDeclaredType(QString::fromUtf8(c.type));
    }
    return ColumnKind::Text;
}

} // namespace

NewRow::NewRow(QString table)
    : m_table(std::move(table))
{ }

void NewRow::set(const QString &column, const QString &text)
{
    QVariant value = ColumnValueFromText(kindOf(m_table, column), text, column);
    if (const qsizetype index = m_columns.indexOf(column); index >= 0) {
        m_values[size_t(index)] = std::move(value);
        return;
    }
    m_columns << column;
    m_values.push_back(std::move(value));
}

void NewRow::setIfNumber(const QString &column, const QString &text)
{
    long double value = 0;
    set(column, TryTextToNumber(text, value) ? text : QString());
}

QVariant NewRow::value(const QString &column) const
{
    const qsizetype index = m_columns.indexOf(column);
    return index < 0 ? QVariant() : m_values[size_t(index)];
}

QString NewRow::insertStatement() const
{
    QStringList quoted, placeholders;
    for (int i = 0; i < m_columns.size(); ++i) {
        quoted << QStringLiteral("\"%1\"").arg(m_columns[i]);
        placeholders << QStringLiteral("?%1").arg(i + 1);
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(m_table, quoted.join(QStringLiteral(", ")), placeholders.join(QStringLiteral(", ")));
}

void NewRow::insert(DataStore &store, const QString &tail) const
{
    store.exec(tail.isEmpty() ? insertStatement() : insertStatement() + QLatin1Char(' ') + tail, m_values);
}

QJsonObject NewRow::toJson() const
{
    QJsonObject json;
    for (int i = 0; i < m_columns.size(); ++i)
        json.insert(m_columns[i], QJsonValue::fromVariant(m_values[size_t(i)]));
    return json;
}

NewRow NewRow::fromJson(const QString &table, const QJsonObject &json)
{
    NewRow row(table);
    for (auto it = json.begin(); it != json.end(); ++it) {
        row.m_columns << it.key();
        row.m_values.push_back(it.value().isNull() ? QVariant() : it.value().toVariant());
    }
    return row;
}
