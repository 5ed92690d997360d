#pragma once

#include "data/store/RowSet.h"

#include <QDialog>

class DataGrid;
class QDateEdit;
class QToolButton;
class Session;

// The deletion journal: what was deleted from the sales, the sold lines and
// the payments, by whom and when, newest first, over a span of days. It only
// lists: the journal cannot be edited or deleted here.
class DeletionJournalWindow : public QDialog
{
    Q_OBJECT
public:
    explicit DeletionJournalWindow(Session &session, QWidget *parent = nullptr);
    ~DeletionJournalWindow() override;

    // Before each opening: the span is today, and today's deletions are listed.
    void reload();

private:
    void listDeletions();

    RowSet m_journal;
    QDateEdit *m_fromDate = nullptr;
    QDateEdit *m_toDate = nullptr;
    QToolButton *m_searchButton = nullptr;
    DataGrid *m_grid = nullptr;
};
