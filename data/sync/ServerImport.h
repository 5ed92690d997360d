#pragma once

class Session;

struct ImportedCounts
{
    int products = 0;
    int tickets = 0;
    int lines = 0;
};

// Copies the catalogue, the sales, the sold lines, the payments and the
// deletion journal of the counter's own data file to the shop's server, in
// their stored order, as one whole. A server that already holds products or
// sales is refused, as is a file that holds one ticket number twice (the
// server keeps each number once); nothing is changed then. Throws DataError (ServerAwayError when it cannot be
// reached).
ImportedCounts ImportToServer(Session &session);
