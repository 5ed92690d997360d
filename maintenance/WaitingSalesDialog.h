#pragma once

#include "data/sync/Outbox.h"

#include <QDialog>

#include <vector>

class Session;
class QPushButton;
class QTableWidget;

// "待上传销售": the sales of this counter not yet on the shop's server, those
// waiting and those the server refused with its reason. A refused sale can be
// sent again as it is (once the owner has mended what the server refused), or,
// when the server holds another sale under its number, under a fresh number of
// this counter. Nothing is deleted here.
class WaitingSalesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitingSalesDialog(Session &session, QWidget *parent = nullptr);

private:
    void reload();
    void followSelection();
    void sendAgain();
    void sendUnderFreshNumber();
    const Outbox::Entry *selected() const;

    Session &m_session;
    std::vector<Outbox::Entry> m_entries;
    QTableWidget *m_table;
    QPushButton *m_sendAgainButton, *m_freshNumberButton;
};
