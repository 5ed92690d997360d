#include "records/DeletionJournalWindow.h"

#include "data/shop/DeletionJournal.h"
#include "grid/DataGrid.h"
#include "grid/Handlers.h"
#include "records/Controls.h"
#include "records/RecordColumns.h"

#include <QDate>
#include <QDateEdit>
#include <QToolButton>

DeletionJournalWindow::DeletionJournalWindow(Session &session, QWidget *parent)
    : QDialog(parent)
    , m_journal(session)
{
    Controls::FixedWindow(this, "ScjlForm", QStringLiteral("删除记录"), 784, 462, 14);

    Controls::Label(this, "FromLabel", QStringLiteral("从"), 16, 14);
    m_fromDate = new QDateEdit(this);
    m_fromDate->setObjectName(QStringLiteral("FromDate"));
    m_fromDate->setGeometry(40, 10, 121, 22);
    Controls::Label(this, "ToLabel", QStringLiteral("到"), 176, 14);
    m_toDate = new QDateEdit(this);
    m_toDate->setObjectName(QStringLiteral("ToDate"));
    m_toDate->setGeometry(200, 10, 121, 22);
    for (QDateEdit *picker : {m_fromDate, m_toDate}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd")); // the program's date, whatever the locale
    }
    m_searchButton = Controls::SpeedButton(this, "SearchButton", QStringLiteral("查询"), 336, 10, 73, 22);

    m_grid = new DataGrid(this);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_grid->setGeometry(0, 40, 784, 400);
    m_grid->setColumns(RecordColumns::Deletions());
    m_grid->setRowSet(&m_journal);

    Controls::BottomStatusBar(this);
    ConnectHandler(m_searchButton, &QToolButton::clicked, this, &DeletionJournalWindow::listDeletions);
}

DeletionJournalWindow::~DeletionJournalWindow() = default;

void DeletionJournalWindow::reload()
{
    m_fromDate->setDate(QDate::currentDate());
    m_toDate->setDate(QDate::currentDate());
    listDeletions();
}

void DeletionJournalWindow::listDeletions()
{
    DeletionJournal::OpenBetween(m_journal, m_fromDate->date(), m_toDate->date());
}
