#include "records/WindowList.h"

#include "data/Connection.h"
#include "data/DataFile.h"
#include "data/RowSet.h"

void ReopenWindowList(Connection &connection, RowSet &rows, const BoundQuery &query)
{
    rows.close();
    // Running the statement again is what shows other connections' writes.
    // The connection itself is rebuilt only when the data file's path changed:
    // connecting to the encrypted file derives its key, a cost every opening
    // would otherwise pay.
    const QString path = RuntimeConnectionString();
    if (connection.connectionString() != path) {
        connection.close();
        connection.setConnectionString(path);
    }
    rows.clearStatement();
    rows.addLine(query.statement);
    rows.setParameters(query.parameters);
    rows.open();
}
