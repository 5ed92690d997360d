#pragma once

#include "records/RecordQueries.h"

class Connection;
class RowSet;

// Brings a records window's list up to date as the window opens: the row set
// runs `query` again on the data file as it is at this moment.
void ReopenWindowList(Connection &connection, RowSet &rows, const BoundQuery &query);
