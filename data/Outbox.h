#pragma once

#include "data/NewRow.h"

#include <vector>

class Connection;

// A sale as rows: its ticket's row of xstj and its lines of xsmx.
struct SaleRows
{
    NewRow ticket;
    std::vector<NewRow> lines;
};

// Sales recorded at a counter whose shop keeps its sales on a server wait in
// the counter's own data file (table outbox) until the server has them. They
// go up in the order they were recorded, each once: the server keeps a ticket
// number once, so a sale sent again after a kill or a broken link is not
// stored twice.
namespace Outbox {

// Adds a sale; within the caller's transaction on the counter's file.
void Add(Connection &session, const SaleRows &sale);
// How many sales wait.
int Pending(Connection &session);
// Sends the waiting sales, oldest first, each in one server transaction, and
// removes each from the outbox once the server has it. Returns how many went
// up. Throws ServerAwayError when the server cannot be reached, DataError when
// it refuses a sale or holds a different sale under the same number; what is
// not sent keeps waiting.
int Upload(Connection &session);

} // namespace Outbox
