#pragma once

#include "data/store/Session.h"
#include "sale/Sale.h"

// Throws the ConversionError the recording would throw for the sale's own
// texts (a ticket time that is not a date), so that no receipt is printed for
// a sale that cannot be stored.
void CheckSale(const Sale &sale);

// What becomes of the ticket being entered (xsxx) when the sale is recorded:
// a sale made at the counter empties it, a return leaves it alone.
enum class EnteredTicket { Cleared, Kept };

// A sale written in an open transaction of the counter's own file: its row in
// xstj, one xsmx row per line in order, one zfmx row per part of its
// settlement (beside a server, the sale in the outbox instead), and, for a
// sale made at the counter, the emptying of xsxx, all already on the disk, so
// that the commit needs no more room. Nothing else may write through the
// connection until it is committed or dropped; dropped uncommitted, it is
// rolled back and the ticket's lines stay. A return is first checked against
// what is left of its sale. Throws as RecordSale() does, storing nothing.
class PendingSale
{
public:
    PendingSale(Session &connection, const Sale &sale, EnteredTicket entered = EnteredTicket::Cleared);
    void commit();

private:
    Session &m_connection;
    Transaction m_transaction;
};

// Stores a sale as one whole. When a column refuses a value or the engine
// fails, the error is thrown and nothing of the sale is stored.
void RecordSale(Session &connection, const Sale &sale, EnteredTicket entered = EnteredTicket::Cleared);
