#pragma once

#include "counter/LinePricing.h"

#include <QObject>

#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;
class Session;
namespace Ui {
class CounterWindow;
}

// A ticket line as the entry fields hold it.
struct EnteredLine
{
    QString name, price, quantity;
    LineAmounts amounts;
};

// The fields a line is entered in: the product, picked from the catalogue's
// list with its price, the price, quantity and discount (numbers only), the
// amounts they price to, and "抹零". Enter in the quantity or the discount
// asks for the line to be added.
class LineEntry : public QObject
{
    Q_OBJECT
public:
    LineEntry(const Ui::CounterWindow &form, Session &session, QWidget &window);

    // Refills the product list from the catalogue.
    void reloadProducts();
    // False until the catalogue first answered (a shop's server may be away).
    bool productsRead() const { return m_productListRead; }

    bool hasName() const;
    // Price, quantity and discount are all filled in.
    bool complete() const;
    // One warning per empty field, in the order of the fields.
    void warnOfEmptyFields() const;
    // The line to store: priced from the fields as they hold them now (a shown
    // line keeps its own amounts until one of them changes), less the fraction
    // when "抹零" was pressed since. Throws AppError for a line that cannot be priced.
    EnteredLine line() const;
    // A stored line taken back into the fields as stored, not priced afresh,
    // with the discount it was priced at.
    void show(const EnteredLine &stored);
    // Empty fields for the next line.
    void clear();

signals:
    void addRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pickProduct();
    void recomputeLine();
    void computeAmounts();
    void dropFraction();

    Session &m_session;
    QWidget &m_window;
    QComboBox *m_product, *m_discount;
    QLineEdit *m_price, *m_quantity, *m_amount, *m_discounted;
    // The last product query found rows: the name list, or the last price
    // look-up. After a look-up that found nothing, picks wait for a reload.
    bool m_productRowsFound = false;
    bool m_productListRead = false;
    // A shown line's own amounts, kept until its price, quantity or discount changes.
    std::optional<LineAmounts> m_loadedAmounts;
    bool m_fractionDropped = false; // "抹零" pressed since the amounts were last computed
};
