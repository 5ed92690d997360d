#pragma once

#include "data/store/Session.h"

#include <QObject>

#include <memory>

class CatalogueWindow;
class Checkout;
class CounterWindow;
class DamageCheck;
class DeletionJournalWindow;
class MaintenanceMenu;
class ReceiptWindow;
class SalesUploader;
struct ReceiptOrder;
struct ReceiptWindows;
class SaleDetailWindow;
class StatisticsWindow;
class ConfiguredPrinter;
class SystemPrinter;

// The running program: the one database session, the checkout, and every
// window, created once and wired together.
class Application : public QObject
{
    Q_OBJECT
public:
    // Creates the windows, finishes opening the session on the data file (making
    // the file when there is none; a file that cannot be used is reported once
    // and the windows still come up), starts the counter on it, and then looks
    // for damage in the file in the background.
    explicit Application(Session &session);
    ~Application() override;

    CounterWindow &counter() const { return *m_counter; }
    Session &session() const { return m_session; }

private:
    void wire();
    void openCatalogue(const QString &barcode);
    void openStatistics();
    void openDeletionJournal();
    void closeShift();
    void openShiftHistory();
    void showAbout();
    void setUpPrinter();
    void followPrinterConf();
    void showPreview(ReceiptOrder order);

    Session &m_session;
    std::unique_ptr<SystemPrinter> m_systemPrinter;
    std::unique_ptr<ConfiguredPrinter> m_printer; // the system printer or a receipt printer, as printer.conf says
    std::unique_ptr<Checkout> m_checkout;
    std::unique_ptr<CounterWindow> m_counter;
    std::unique_ptr<SaleDetailWindow> m_saleDetail;
    std::unique_ptr<StatisticsWindow> m_statistics;
    std::unique_ptr<CatalogueWindow> m_catalogue;
    std::unique_ptr<DeletionJournalWindow> m_deletionJournal;
    std::unique_ptr<ReceiptWindow> m_onePart58, m_onePart76, m_twoPart76, m_twoPart58;
    std::unique_ptr<ReceiptWindows> m_receiptWindows;
    std::unique_ptr<MaintenanceMenu> m_maintenance;
    std::unique_ptr<DamageCheck> m_damageCheck;
    std::unique_ptr<SalesUploader> m_uploader; // a shop with a server: the sales made while it was away
};
