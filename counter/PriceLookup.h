#pragma once

#include <QString>

class RowSet;

// Looks up a picked product's unit price in the catalogue. The row named
// exactly so wins; only when there is none does the first row whose name
// contains the picked name count, so "可乐" never takes the price of "百事可乐".
// The row set is left open on the rows found. Returns the price of the first
// row as text; empty when no row matched or the price is empty.
QString LookUpPrice(RowSet &products, const QString &name);
