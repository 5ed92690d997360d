#include "app/Application.h"

#include "app/DesktopEntry.h"
#include "app/StartOptions.h"
#include "checkout/Checkout.h"
#include "counter/CounterWindow.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/PrintSettings.h"
#include "data/store/DamageCheck.h"
#include "data/store/DataFile.h"
#include "data/store/ServerSettings.h"
#include "data/sync/SalesUploader.h"
#include "grid/Dialogs.h"
#include "maintenance/MaintenanceMenu.h"
#include "printers/ConfiguredPrinter.h"
#include "printers/PrinterConf.h"
#include "printers/PrinterSetupDialog.h"
#include "printers/SystemPrinter.h"
#include "receipts/ReceiptPreview.h"
#include "receipts/ReceiptWindow.h"
#include "records/CatalogueWindow.h"
#include "records/DeletionJournalWindow.h"
#include "records/OpeningFloatDialog.h"
#include "records/SaleDetailWindow.h"
#include "records/ShiftHistoryWindow.h"
#include "records/ShiftWindow.h"
#include "records/StatisticsWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {
constexpr int kDamageCheckDelayMs = 2000;
}

Application::Application(Session &session)
    : m_session(session)
    , m_systemPrinter(std::make_unique<SystemPrinter>())
    , m_printer(std::make_unique<ConfiguredPrinter>(*m_systemPrinter))
    , m_checkout(std::make_unique<Checkout>(m_session, *m_printer))
{
    WriteDesktopEntry(QFileInfo(DataFile::Path()).absolutePath());
    m_counter = std::make_unique<CounterWindow>(m_session, *m_checkout);
    m_saleDetail = std::make_unique<SaleDetailWindow>(m_session, *m_printer);
    m_statistics = std::make_unique<StatisticsWindow>(m_session, *m_saleDetail, *m_printer);
    m_catalogue = std::make_unique<CatalogueWindow>(m_session);
    m_deletionJournal = std::make_unique<DeletionJournalWindow>(m_session);
    m_onePart58 = std::make_unique<ReceiptWindow>(ReceiptTemplate::OnePart58);
    m_onePart76 = std::make_unique<ReceiptWindow>(ReceiptTemplate::OnePart76);
    m_twoPart76 = std::make_unique<ReceiptWindow>(ReceiptTemplate::TwoPart76);
    m_twoPart58 = std::make_unique<ReceiptWindow>(ReceiptTemplate::TwoPart58);
    m_receiptWindows = std::make_unique<ReceiptWindows>(
        ReceiptWindows{*m_onePart58, *m_onePart76, *m_twoPart76, *m_twoPart58});
    m_maintenance = std::make_unique<MaintenanceMenu>(m_session, m_counter.get());
    m_damageCheck = std::make_unique<DamageCheck>(m_session);
    m_uploader = std::make_unique<SalesUploader>(m_session);
    wire();
    {
        // The windows are built while the file's key is derived; the counter
        // then starts on the session. A broken data file is reported once, not
        // once per window.
        const Dialogs::OnceEachError onceEach;
        Dialogs::Guarded(nullptr, [this] { m_session.finishOpening(); });
        m_counter->start();
        followPrinterConf();
    }
    // The address in database.conf may carry the server's password.
    if (m_session.hasServer())
        if (const QString warning = ServerSettingsWarning(); !warning.isEmpty())
            Dialogs::Message(m_counter.get(), warning, Dialogs::Icon::Warning);
    // A little after the main window is up, so that its first paint never
    // shares the processor with the check's own key derivation.
    if (m_session.isOpen())
        QTimer::singleShot(kDamageCheckDelayMs, m_damageCheck.get(), &DamageCheck::start);
}

Application::~Application() = default;

void Application::wire()
{
    CounterWindow *counter = m_counter.get();
    connect(counter, &CounterWindow::catalogueRequested, this, [this] { openCatalogue({}); });
    connect(counter, &CounterWindow::catalogueRequestedFor, this, &Application::openCatalogue);
    connect(counter, &CounterWindow::statisticsRequested, this, &Application::openStatistics);
    connect(counter, &CounterWindow::deletionJournalRequested, this, &Application::openDeletionJournal);
    connect(counter, &CounterWindow::shiftCloseRequested, this, &Application::closeShift);
    connect(counter, &CounterWindow::openingFloatRequested, this, [this] {
        Dialogs::Guarded(m_counter.get(), [this] { OpeningFloatDialog(m_session, m_counter.get()).exec(); });
    });
    connect(counter, &CounterWindow::shiftHistoryRequested, this, &Application::openShiftHistory);
    connect(counter, &CounterWindow::previewRequested, this, &Application::showPreview);
    // A template's preview shows the receipt it printed last.
    m_checkout->setReceiptFilled(
        [this](ReceiptTemplate which, const ReceiptOrder &order) { m_receiptWindows->of(which).showReceipt(order); });
    connect(m_catalogue.get(), &CatalogueWindow::catalogueChanged, counter, &CounterWindow::reloadProductList);
    connect(counter, &CounterWindow::backupRequested, m_maintenance.get(), &MaintenanceMenu::backUp);
    connect(counter, &CounterWindow::restoreRequested, m_maintenance.get(), &MaintenanceMenu::restore);
    connect(counter, &CounterWindow::helpRequested, m_maintenance.get(), &MaintenanceMenu::openHelp);
    connect(counter, &CounterWindow::faqRequested, m_maintenance.get(), &MaintenanceMenu::openFaq);
    connect(counter, &CounterWindow::siteRequested, m_maintenance.get(), &MaintenanceMenu::openSite);
    connect(counter, &CounterWindow::aboutRequested, this, &Application::showAbout);
    connect(counter, &CounterWindow::printerSetupRequested, this, &Application::setUpPrinter);
    connect(counter, &CounterWindow::databaseSetupRequested, m_maintenance.get(), &MaintenanceMenu::setUpDatabase);
    connect(counter, &CounterWindow::serverImportRequested, m_maintenance.get(), &MaintenanceMenu::importToServer);
    connect(counter, &CounterWindow::waitingSalesRequested, m_maintenance.get(), &MaintenanceMenu::showWaitingSales);
    connect(m_uploader.get(), &SalesUploader::changed, counter, [this] {
        m_counter->showWaitingSales(m_uploader->pending(), m_uploader->setAside(), m_uploader->lastProblem());
    });
    connect(m_damageCheck.get(), &DamageCheck::damaged, counter,
            [counter](const QString &warning) { Dialogs::Message(counter, warning, Dialogs::Icon::Warning); });
    // The restored data are used from the next start on.
    connect(m_maintenance.get(), &MaintenanceMenu::restored, counter, &CounterWindow::closeWithoutAsking);
}

// Where this start keeps its data, for the shop owner who looks for it.
void Application::showAbout()
{
    const QString file = DataFile::Path();
    Dialogs::Message(m_counter.get(),
                     QStringLiteral("销售小票打印 %1\n数据文件夹：%2\n数据文件：%3")
                         .arg(ProgramVersion(), QDir::toNativeSeparators(QFileInfo(file).absolutePath()),
                              QDir::toNativeSeparators(file)),
                     Dialogs::Icon::Information);
}

// The receipt printer of this machine; the checkout follows the choice from its next sale on.
void Application::setUpPrinter()
{
    Dialogs::Guarded(m_counter.get(), [this] {
        const PrintSettings settings = LoadPrintSettings(m_session);
        PrinterSetupDialog dialog(*m_systemPrinter, settings.shopName, m_counter.get());
        dialog.setTemplateWidth(settings.pos);
        if (dialog.exec() == QDialog::Accepted)
            followPrinterConf();
    });
}

// The counter warns of a paper width its receipt printer does not fit.
void Application::followPrinterConf()
{
    Dialogs::Guarded(m_counter.get(), [this] { m_counter->usePrinter(LoadPrinterConf(PrinterConfPath())); });
}

// The preview reads the ticket's lines as the checkout does, and stores nothing.
void Application::showPreview(ReceiptOrder order)
{
    Dialogs::Guarded(m_counter.get(), [&] {
        order.sale.lines = CurrentTicket::Lines(m_session);
        PreviewTicket(*m_receiptWindows, order);
    });
}

void Application::openCatalogue(const QString &barcode)
{
    Dialogs::Guarded(m_counter.get(), [this, &barcode] {
        m_catalogue->reload(barcode);
        m_catalogue->exec();
    });
}

void Application::openStatistics()
{
    Dialogs::Guarded(m_counter.get(), [this] {
        m_statistics->reload();
        m_statistics->exec();
    });
}

void Application::closeShift()
{
    Dialogs::Guarded(m_counter.get(), [this] { ShiftWindow(m_session, *m_printer, m_counter.get()).exec(); });
}

void Application::openShiftHistory()
{
    Dialogs::Guarded(m_counter.get(), [this] {
        ShiftHistoryWindow history(m_session, *m_printer, m_counter.get());
        history.reload();
        history.exec();
    });
}

void Application::openDeletionJournal()
{
    Dialogs::Guarded(m_counter.get(), [this] {
        m_deletionJournal->reload();
        m_deletionJournal->exec();
    });
}
