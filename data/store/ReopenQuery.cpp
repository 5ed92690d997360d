#include "data/store/ReopenQuery.h"

#include "data/store/RowSet.h"
#include "data/store/Session.h"

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
