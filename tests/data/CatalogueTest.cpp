#include "data/Catalogue.h"

#include "data/Connection.h"
#include "tests/support/TempData.h"

#include <gtest/gtest.h>

// The price look-up reads "%" and "_" as themselves, and an exact name wins.
TEST(CataloguePriceOf, WildcardCharactersAreLiteral)
{
    TempData data;
    data.exec(QStringLiteral("insert into spxx(品名, 单价) values('可乐', 3), ('百事可乐', 4), ('可口', 5)"));
    Connection session;
    for (const char *name : {"%%", "__", "可%", "_乐", "%"})
        EXPECT_EQ(Catalogue::PriceOf(session, QString::fromUtf8(name)), QString()) << name;
    EXPECT_EQ(Catalogue::PriceOf(session, QStringLiteral("可乐")), QStringLiteral("3"));
    EXPECT_EQ(Catalogue::PriceOf(session, QStringLiteral("事可")), QStringLiteral("4"));

    data.exec(QStringLiteral("insert into spxx(品名, 单价) values('冰红茶', 6), ('冰红茶%', 7), ('百分之%_', 8)"));
    EXPECT_EQ(Catalogue::PriceOf(session, QStringLiteral("冰红茶%")), QStringLiteral("7"));
    EXPECT_EQ(Catalogue::PriceOf(session, QStringLiteral("冰红茶")), QStringLiteral("6"));
    EXPECT_EQ(Catalogue::PriceOf(session, QStringLiteral("%_")), QStringLiteral("8"));
}
