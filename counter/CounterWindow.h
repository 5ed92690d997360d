#pragma once

#include "printers/PrinterConf.h"
#include "receipts/ReceiptOrder.h"

#include <QWidget>

#include <memory>

class Checkout;
class LineEntry;
class PaymentEntry;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QStatusBar;
class QTimer;
class QToolButton;
class Session;
class TicketLines;
namespace Ui {
class CounterWindow;
}

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
    // The receipt printer this machine prints on: the status bar warns while
    // the paper width chosen does not fit it.
    void usePrinter(const PrinterConf &conf);
    // Closes without the question about unprinted lines: the data under them were replaced.
    void closeWithoutAsking();

signals:
    void catalogueRequested();
    // The catalogue, to add a product with a barcode the counter did not know.
    void catalogueRequestedFor(const QString &barcode);
    void statisticsRequested();
    void deletionJournalRequested();
    void shiftCloseRequested(); // 交班
    void openingFloatRequested(); // 备用金
    void shiftHistoryRequested(); // 交班记录
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
    // A ticket with lines closes only when the cashier says so.
    void closeEvent(QCloseEvent *event) override;

private:
    // The form's widgets the window itself works with.
    QLineEdit *shopNameEdit() const;
    QLineEdit *ticketNumberEdit() const;
    QLineEdit *ticketTimeEdit() const;
    QLineEdit *customerEdit() const;
    QLineEdit *phoneEdit() const;
    QLineEdit *addressEdit() const;
    QLineEdit *cashierEdit() const;
    QComboBox *productBox() const;
    QComboBox *paidBox() const;
    QCheckBox *manualTimeCheck() const;
    QCheckBox *customerCheck() const;
    QPlainTextEdit *remarkEdit() const;
    QComboBox *paperWidthBox() const;
    QComboBox *templateBox() const;
    QComboBox *copiesBox() const;
    QToolButton *optionsButton() const;
    QToolButton *statisticsButton() const;
    QToolButton *previewButton() const;
    QToolButton *printButton() const;
    QStatusBar *statusBar() const;

    // What the form file cannot say: pixel-sized fonts, the outputs' colours,
    // the status bar's texts, the options menu.
    void finishForm();
    void buildOptionsMenu();
    void connectHeader();
    void bindKeys();
    void keepSettingsSaved();
    void saveEditedSettings();
    void saveSettings();
    void showPaperWidthWarning();

    void startUp();
    void showTime();
    void setManualTime();
    void setCustomerShown();
    void setUpScanner();
    void popUpOptions();
    void focusPayment();
    void holdTicket();
    void recallTicket();
    void clearEntry();

    void printTicket();
    void askForPreview();
    ReceiptOrder currentOrder() const;
    PrintSettings settings() const;
    void startNextTicket();

    Session &m_session;
    Checkout &m_checkout;
    std::unique_ptr<Ui::CounterWindow> m_ui;
    LineEntry *m_entry;
    PaymentEntry *m_payment;
    TicketLines *m_lines;
    QLabel *m_waitingSalesLabel, *m_setAsideSalesLabel, *m_paperWidthLabel;
    PrinterConf m_printer;
    QTimer *m_clock;
    QTimer *m_settingsPause = nullptr;
    QMenu *m_optionsMenu;
    bool m_askBeforeClosing = true;
};
