#include "data/store/DamageCheck.h"
#include "data/store/Session.h"
#include "tests/support/TempData.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

// The start-up check warns of a damaged file by name, and passes an undamaged one silently.
TEST(DamageCheck, WarnsOfADamagedFileByNameOnly)
{
    for (const bool damaged : {true, false}) {
        SCOPED_TRACE(damaged);
        TempData data; // enough sold lines to span many pages
        data.exec(QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                                 "insert into xsmx(单号, 品名, 数量) select 'T' || i, '商品' || i, 1 from n"));
        if (damaged)
            DamagePage(data.file());
        Session session;
        session.open(); // the tables themselves still open
        DamageCheck check(session);
        QSignalSpy warnings(&check, &DamageCheck::damaged);
        QSignalSpy finished(&check, &DamageCheck::finished);
        check.start();
        ASSERT_TRUE(finished.wait(10000));
        ASSERT_EQ(warnings.size(), damaged ? 1 : 0);
        if (damaged) {
            const QString warning = warnings.at(0).at(0).toString();
            EXPECT_TRUE(warning.contains(data.file()) && warning.contains("数据恢复")) << warning.toStdString();
        }
    }
}
