#include "counter/PriceLookup.h"

#include "data/RowSet.h"
#include "data/mylib.h"

QString LookUpPrice(RowSet &products, const QString &name)
{
    static const QString exact = QStringLiteral("select * from spxx where 品名 = ?1");
    static const QString containing =
        QStringLiteral("select * from spxx where 品名 like '%' || ?1 || '%'");

    ReopenQuery(products, exact, {name});
    if (products.recordCount() == 0)
        ReopenQuery(products, containing, {name});
    if (products.recordCount() == 0)
        return QString();
    products.first();
    return products.text(QStringLiteral("单价"));
}
