#include "data/shop/Shift.h"
#include "data/store/DataFile.h"
#include "data/store/Session.h"
#include "tests/data/HelperProcess.h"
#include "tests/support/TempData.h"

#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

// A program killed in the middle of recording sales, its receipt printing
// included, leaves an undamaged file in which every sale is recorded once with
// all its lines, or not at all with its lines still on the ticket. Each run of
// the helper first reports on what the previous kill left, then sells until it
// is killed itself. The shift they all fell in closes on the recorded sales.
TEST(KilledWhileSelling, EverySaleIsRecordedOnceOrLeftOnTheTicket)
{
    TempData data;
    for (int kill = 0; kill < 50; ++kill) {
        HelperProcess seller({"sell", data.file()});
        ASSERT_EQ(seller.readLine(), "checked 1 0") << "after kill " << kill;
        ASSERT_EQ(seller.readLine(), "selling");
        QThread::msleep(QRandomGenerator::global()->bounded(0, 20));
        seller.kill();
    }
    // Counting opens the file for writing first, which rolls back the last
    // kill's unfinished sale; only then can it be checked read-only.
    EXPECT_EQ(data.count("xstj t where t.数量 <> (select count(*) from xsmx m where m.单号 = t.单号)"), 0);
    EXPECT_GE(data.count("xstj"), 50); // sales were really made
    EXPECT_NO_THROW(DataFile::Validate(data.file()));

    // The shift the kills went through closes on the sales recorded, nothing else.
    Session session;
    const Shift::Report shift = Shift::Current(session);
    Shift::Close(session, shift);
    EXPECT_EQ(data.count("jbjl where 单数 = (select count(*) from xstj) and 净额 = (select sum(折后) from xstj)"), 1);
}
