#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class Session;
class RowSet;

// The product catalogue (spxx): its name, unit price, remark, barcode and
// short code per product.
namespace Catalogue {

// A product as the counter sells it.
struct Product
{
    QString name;
    QString price; // as text; empty when the product has no price
};

// Lists every product, in stored order; the row set can add, modify and delete them.
void OpenAll(RowSet &products);
// Each product name once, for the counter's product list.
QStringList ProductNames(Session &session);
// The unit price of a picked name, as text. The product named exactly so wins;
// only when there is none does the first product whose name contains the
// picked text literally count ("%" and "_" are plain characters), so "可乐"
// never takes the price of "百事可乐" while "可乐" exists. None when no product
// matches; empty text when the product has no price.
std::optional<QString> PriceOf(Session &session, const QString &name);
// The product a scanned or typed text names: the one holding it as barcode,
// else the only one with it as short code, else the first named exactly so.
std::optional<Product> Find(Session &session, const QString &text);
// The product holding a barcode; none for an empty one.
std::optional<Product> WithBarcode(Session &session, const QString &barcode);

} // namespace Catalogue
