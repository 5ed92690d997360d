#include "records/WindowList.h"

#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/RowSet.h"

void ReopenWindowList(Connection &connection, RowSet &rows, const BoundQuery &query)
{
    rows.close();
    // Running the statement again is what shows other connections' writes.
    connection.reconnect(RuntimeConnectionString());
    rows.clearStatement();
    rows.addLine(query.statement);
    rows.setParameters(query.parameters);
    rows.open();
}
