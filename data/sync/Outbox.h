#pragma once

#include "data/store/NewRow.h"

#include <QString>

#include <functional>
#include <vector>

class Session;

class DataStore;

// A sale as rows: its ticket's row of xstj, its lines of xsmx and its payment
// rows of zfmx (none for a sale queued before payments were kept).
struct SaleRows
{
    NewRow ticket;
    std::vector<NewRow> lines;
    std::vector<NewRow> payments;
};

// Inserts the sale's rows, within the caller's transaction.
void InsertSaleRows(DataStore &store, const SaleRows &sale);

// Sales recorded at a counter whose shop keeps its sales on a server wait in
// the counter's own data file (table outbox) until the server has them. They
// go up in the order they were recorded, each once: the server keeps a ticket
// number once, so a sale sent again after a kill or a broken link is not
// stored twice; it refuses a return that, with the other counters' returns of
// the same sale, takes back more than was sold. A sale the server refuses is
// set aside, with the reason, so
// that the later ones still go up; it stays in the outbox until the owner
// sends it again. Nothing leaves the outbox but for the server.
namespace Outbox {

struct Counts
{
    int waiting = 0;
    int setAside = 0;
};

// One sale of the outbox, as the owner sees it.
struct Entry
{
    qint64 id = 0;
    QString number;
    QString time;
    double discounted = 0;
    QString reason; // why the server refused it; empty while it waits
    bool numberTaken = false; // the server holds another sale under its number
};

// Adds a sale; within the caller's transaction on the counter's file.
void Add(Session &session, const SaleRows &sale);
// How many sales are not on the server yet: waiting or set aside.
int Pending(Session &session);
Counts Count(Session &session);
// Every sale in the outbox, oldest first.
std::vector<Entry> List(Session &session);
// Every sale the outbox holds, waiting or set aside, as its rows.
std::vector<SaleRows> Sales(Session &session);
// Sends the waiting sales, oldest first, each in one server transaction, and
// removes each from the outbox once the server has it; a sale it refuses is
// set aside. `goOn` is asked after each sale and stops the sending when it
// returns false. Returns how many went up. Throws ServerAwayError when the
// server cannot be reached or did not answer in time, DataError when the
// counter's file cannot be used; what is not sent keeps waiting.
int Upload(Session &session, const std::function<bool()> &goOn = {});
// Puts a set-aside sale back among the waiting ones; under a fresh ticket
// number of this counter when asked, the old one kept in its 原单号. Returns
// the number it goes up under. Throws DataError.
QString SendAgain(Session &session, qint64 id, bool underFreshNumber);

} // namespace Outbox
