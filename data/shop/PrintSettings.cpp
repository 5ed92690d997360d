#include "data/shop/PrintSettings.h"

#include "data/store/Session.h"

#include <QVariant>

PrintSettings LoadPrintSettings(Session &session)
{
    Statement row(session.file(),
                  QStringLiteral("select 店名, 备注, 收银员, pos, modle, print from dynr order by rowid limit 1"));
    if (!row.step())
        return {};
    const auto text = [&row](int column) { return row.value(column).toString(); };
    return {text(0), text(1), text(2), text(3), text(4), text(5)};
}

void SavePrintSettings(Session &session, const PrintSettings &settings)
{
    const std::vector<QVariant> values = {settings.shopName, settings.remark, settings.cashier,
                                          settings.pos,      settings.modle,  settings.print};
    const int changed = session.exec(
        QStringLiteral("update dynr set 店名 = ?1, 备注 = ?2, 收银员 = ?3, pos = ?4, modle = ?5, print = ?6 "
                       "where rowid = (select min(rowid) from dynr)"),
        values);
    if (changed == 0)
        session.exec(QStringLiteral("insert into dynr (店名, 备注, 收银员, pos, modle, print) "
                                    "values (?1, ?2, ?3, ?4, ?5, ?6)"),
                     values);
}
