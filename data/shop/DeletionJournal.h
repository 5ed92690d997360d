#pragma once

class QDate;
class RowSet;

// The deletion journal (scjl): a row deleted from the sales (xstj), the sold
// lines (xsmx) or the payments (zfmx) is first copied into it whole, as text,
// in the same transaction and in the store the row lived in. The program
// only adds to the journal: it never edits or deletes it.
namespace DeletionJournal {

// From now on the row set's deletions are journalled; a sale takes its
// payments with it, unless another sale holds the same number.
void JournalDeletions(RowSet &rows);

// The deletions made in a span of days (both whole), newest first, for
// listing only.
void OpenBetween(RowSet &journal, const QDate &from, const QDate &to);

} // namespace DeletionJournal
