#pragma once

#include "counter/LinePricing.h"
#include "counter/TicketTotals.h"
#include "data/store/RowSet.h"
#include "receipts/Ticket.h"

#include <QWidget>

#include <optional>

class Checkout;
class Session;
class DataGrid;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class QToolButton;

// The sales counter, the program's main window: a ticket is entered line by
// line into the current ticket (xsxx), totalled, paid and printed. What lies
// beyond the counter (the records windows, the preview, backup and restore,
// help) is asked for through signals.
class CounterWindow : public QWidget
{
    Q_OBJECT
public:
    // Builds the window; it reads nothing until start().
    CounterWindow(Session &session, Checkout &checkout, QWidget *parent = nullptr);
    ~CounterWindow() override;

    // Starts the counter on the session: a fresh ticket number, the stored
    // settings, the product list, and an empty ticket. Each step that fails is
    // reported on its own and the counter still comes up.
    void start();

    // Refills the product list from the catalogue.
    void reloadProductList();
    // Brings the ticket's lines and totals up to date with the data file.
    void refreshTicket();
    // The sales waiting to go up to the shop's server, those it refused, and
    // why the last attempt failed; nothing shows when none wait.
    void showWaitingSales(int count, int setAside, const QString &problem);

signals:
    void catalogueRequested();
    void statisticsRequested();
    // The preview of the receipt the settings choose, for the ticket as it stands.
    void previewRequested(const ReceiptOrder &order);
    void backupRequested();
    void restoreRequested();
    void helpRequested();
    void faqRequested();
    void siteRequested();
    void printerSetupRequested();
    void databaseSetupRequested();
    void serverImportRequested();
    void waitingSalesRequested();
    void aboutRequested();

protected:
    // The banner drags the frameless window; two pictures minimise and close it.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout and wiring, one part of the window each.
    void buildLayout();
    void buildOptionsMenu();
    void fitTotals(); // each total in its own place, drawn smaller when long
    void connectHeader();
    void connectLineEntry();
    void connectTicketLines();
    void connectPayment();
    void connectActions();

    // Start-up and header
    void startUp();
    void showTime();
    void setManualTime();
    void setCustomerShown();
    void popUpOptions();

    // Line entry and pricing
    void pickProduct();
    void recomputeLine();
    void computeAmounts();

    // Ticket lines
    void addLine();
    void modifyLine();
    void deleteLine();
    void loadClickedLine();
    void refreshTotals();
    LineAmounts enteredAmounts() const;
    void storeLine(const LineAmounts &amounts);
    bool lineWithinLimits(const LineAmounts &amounts, bool replacingCurrent);
    bool entryComplete() const;
    void warnEmptyEntries();
    void resetLineEntry();
    void showEntering(bool entering);

    // Payment
    void computeChange();
    void dropFraction();

    // Checkout
    void printTicket();
    void askForPreview();
    ReceiptOrder currentOrder() const;
    void startNextTicket();

    Session &m_session;
    Checkout &m_checkout;
    RowSet m_lines; // the current ticket's lines, as the grid shows them
    TicketTotals m_totals;
    // The last product query found rows: the name list, or the last price
    // look-up. After a look-up that found nothing, picks wait for a reload.
    bool m_productRowsFound = false;
    bool m_productListRead = false; // false until the catalogue first answered (a shop's server may be away)
    // A clicked line's own amounts, kept until its price, quantity or discount changes.
    std::optional<LineAmounts> m_loadedAmounts;
    bool m_fractionDropped = false; // "抹零" pressed since the amounts were last computed

    // Header and chrome
    QLabel *m_banner, *m_minimiseImage, *m_closeImage;
    QToolButton *m_optionsButton;
    QLineEdit *m_shopNameEdit, *m_ticketNumberEdit, *m_ticketTimeEdit;
    QLineEdit *m_customerEdit, *m_phoneEdit, *m_addressEdit;
    QCheckBox *m_manualTimeCheck, *m_customerCheck;
    // Line entry
    QComboBox *m_productBox, *m_discountBox;
    QLineEdit *m_priceEdit, *m_quantityEdit, *m_amountEdit, *m_discountedEdit;
    QToolButton *m_dropFractionButton;
    // Lines and totals
    QToolButton *m_addButton, *m_modifyButton, *m_deleteButton;
    DataGrid *m_linesGrid;
    QLabel *m_totalQuantityLabel, *m_totalAmountLabel, *m_totalDiscountedLabel;
    // Payment
    QLineEdit *m_cashierEdit, *m_payableEdit, *m_changeEdit;
    QComboBox *m_paidBox;
    // Settings and actions
    QPlainTextEdit *m_remarkEdit;
    QComboBox *m_paperWidthBox, *m_templateBox, *m_copiesBox;
    QToolButton *m_statisticsButton, *m_previewButton, *m_printButton;
    QStatusBar *m_statusBar;
    QLabel *m_waitingSalesLabel, *m_setAsideSalesLabel;
    QTimer *m_clock;
    QMenu *m_optionsMenu;
    QAction *m_catalogueAction, *m_statisticsAction, *m_backupAction, *m_restoreAction;
    QAction *m_helpAction, *m_faqAction, *m_siteAction, *m_printerSetupAction, *m_databaseSetupAction,
        *m_serverImportAction, *m_waitingSalesAction, *m_aboutAction;
};
