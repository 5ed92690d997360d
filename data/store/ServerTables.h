#pragma once

// The engine's own handles, for the store's code only.
#ifndef SC_STORE_ENGINES
#error "only data/store reaches the engines' handles"
#endif

class ServerLink;

// Refuses a server whose shared tables do not have every column this program
// uses with the type and collation it gives them (tables made by hand with
// integer figures would round every quantity and price silently). Throws
// ServerAwayError naming the table, the column and the type found, so that
// nothing is sent to the server and the sales wait until the tables are
// mended.
void CheckServerTables(ServerLink &link);
