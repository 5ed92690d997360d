#pragma once

#include <QString>
#include <QVariant>

#include <vector>

class RowSet;
enum class Store;

// Closes the row set, makes the statement its only line and opens it again.
// Catches nothing: when the open fails the row set stays closed.
// The statement runs in the given store (the counter's own file by default).
void ReopenQuery(RowSet &rowSet, const QString &statement, const std::vector<QVariant> &parameters = {});
void ReopenQuery(RowSet &rowSet, Store store, const QString &statement, const std::vector<QVariant> &parameters = {});
