#include "data/shop/Catalogue.h"

#include "data/store/ColumnValue.h"
#include "data/store/ReopenQuery.h"
#include "data/store/RowSet.h"
#include "data/store/Session.h"

namespace Catalogue {

void OpenAll(RowSet &products)
{
    ReopenQuery(products, Store::Shared, QStringLiteral("select * from spxx"));
}

QStringList ProductNames(Session &session)
{
    // Ascending in so many words: a product without a name comes first on a server too, as in the file.
    Statement names(session.in(Store::Shared), QStringLiteral("select distinct 品名 from spxx order by 品名 asc"));
    QStringList found;
    while (names.step())
        found << names.value(0).toString();
    return found;
}

std::optional<QString> PriceOf(Session &session, const QString &name)
{
    // instr() compares literally, where like would read "%" and "_" as patterns.
    for (const QString &sql : {QStringLiteral("select 单价 from spxx where 品名 = ?1 limit 1"),
                               QStringLiteral("select 单价 from spxx where instr(品名, ?1) > 0 limit 1")}) {
        Statement price(session.in(Store::Shared), sql, {name});
        if (price.step())
            return ColumnValueToText(ColumnKind::Number, price.value(0));
    }
    return std::nullopt;
}

} // namespace Catalogue
