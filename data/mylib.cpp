#include "data/mylib.h"

#include "data/Connection.h"
#include "data/RowSet.h"

void ReopenQuery(RowSet &rowSet, const QString &statement, const std::vector<QVariant> &parameters)
{
    ReopenQuery(rowSet, Store::Local, statement, parameters);
}

void ReopenQuery(RowSet &rowSet, Store store, const QString &statement, const std::vector<QVariant> &parameters)
{
    rowSet.close();
    rowSet.setStore(store);
    rowSet.clearStatement();
    rowSet.addLine(statement);
    rowSet.setParameters(parameters);
    rowSet.open();
}
