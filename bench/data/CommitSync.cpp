// Records one sale on a fresh data file, for watching the commit's system
// calls: run it under strace through commit_sync.sh.
#include "data/shop/CurrentTicket.h"
#include "data/shop/SaleRecord.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Session session;
    session.setConnectionString(QDir(dir.path()).filePath(QStringLiteral("data.mdb")));
    session.openOrCreate();

    RowSet lines(session);
    CurrentTicket::Open(lines);
    lines.append();
    lines.setText(QStringLiteral("品名"), QStringLiteral("可乐"));
    lines.setText(QStringLiteral("数量"), QStringLiteral("1"));
    lines.post();
    lines.close();

    std::printf("-- sale\n");
    std::fflush(stdout);
    Sale ticket;
    ticket.number = QStringLiteral("20240501100000");
    ticket.time = QStringLiteral("2024-05-01 10:00:00");
    ticket.lines = CurrentTicket::Lines(session);
    RecordSale(session, ticket);
    std::printf("-- recorded\n");
    std::fflush(stdout);
    return 0;
}
