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

namespace {

// The products a query finds, at most two: enough to tell one from several.
std::vector<Product> ProductsFound(Session &session, const QString &condition, const QString &text)
{
    Statement found(session.in(Store::Shared),
                    QStringLiteral("select 品名, 单价 from spxx where %1 limit 2").arg(condition), {text});
    std::vector<Product> products;
    while (found.step())
        products.push_back({found.value(0).toString(), ColumnValueToText(ColumnKind::Number, found.value(1))});
    return products;
}

} // namespace

std::optional<Product> WithBarcode(Session &session, const QString &barcode)
{
    // "<> ''" lets the engine answer from the index of the barcodes there are.
    const std::vector<Product> held = ProductsFound(session, QStringLiteral("条码 = ?1 and 条码 <> ''"), barcode);
    return held.empty() ? std::nullopt : std::optional<Product>(held.front());
}

std::optional<Product> Find(Session &session, const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    if (std::optional<Product> scanned = WithBarcode(session, text))
        return scanned;
    const std::vector<Product> coded = ProductsFound(session, QStringLiteral("简码 = ?1"), text);
    if (coded.size() == 1)
        return coded.front();
    const std::vector<Product> named = ProductsFound(session, QStringLiteral("品名 = ?1"), text);
    return named.empty() ? std::nullopt : std::optional<Product>(named.front());
}

} // namespace Catalogue
