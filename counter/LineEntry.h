#pragma once

#include "counter/LinePricing.h"
#include "counter/ScannerSettings.h"

#include <QObject>

#include <optional>

class QComboBox;
class QLabel;
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
// asks for the line to be added. Enter in the product box looks its text up as
// a scanner's code, a short code or a name: a product found is entered and
// asked to be added at once; an unknown or misread code is said in red in the
// status bar, with the bell, and left selected for F3 to take to the catalogue.
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
    // Another quantity for the line entered.
    void setQuantity(const QString &quantity);
    void setScannerSettings(const ScannerSettings &settings) { m_scanner = settings; }

signals:
    void addRequested();
    // A scanned product is entered; one sold by the piece may merge with the
    // same product on the ticket's last line.
    void scanned(bool byThePiece);
    // F3 in the product box: the catalogue, to add the product of this code.
    void catalogueWanted(const QString &code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pickProduct();
    void scanProduct();
    void refuseScan(const QString &why);
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
    ScannerSettings m_scanner;
    QLabel *m_scanMessage; // in the status bar
};
