#pragma once

#include <QString>
#include <QVariant>

#include <vector>

class RowSet;

// Closes the row set, makes the statement its only line and opens it again.
// Catches nothing: when the open fails the row set stays closed.
void ReopenQuery(RowSet &rowSet, const QString &statement, const std::vector<QVariant> &parameters = {});
