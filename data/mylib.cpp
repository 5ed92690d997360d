#include "data/mylib.h"

#include "data/RowSet.h"

void ReopenQuery(RowSet &rowSet, const QString &statement, const std::vector<QVariant> &parameters)
{
    rowSet.close();
    rowSet.clearStatement();
    rowSet.addLine(statement);
    rowSet.setParameters(parameters);
    rowSet.open();
}
