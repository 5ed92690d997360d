#include "counter/CounterWindow.h"

#include "checkout/Checkout.h"
#include "checkout/PrintProgress.h"
#include "counter/TicketHeader.h"
#include "data/shop/Catalogue.h"
#include "data/shop/CurrentTicket.h"
#include "data/shop/PrintSettings.h"
#include "data/store/Session.h"
#include "data/sync/TicketNumbers.h"
#include "grid/Handlers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

CounterWindow::CounterWindow(Session &session, Checkout &checkout, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_checkout(checkout)
    , m_lines(session)
{
    buildLayout();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    connectHeader();
    connectLineEntry();
    connectTicketLines();
    connectPayment();
    connectActions();
    m_checkout.setJobRunner([this](const std::vector<Checkout::Job> &jobs) { PrintWithProgress(this, jobs); });

    m_clock->start();
    m_customerEdit->setFocus(); // the customer's name comes first
}

CounterWindow::~CounterWindow() = default;

void CounterWindow::start()
{
    Dialogs::Guarded(this, [this] { CurrentTicket::Open(m_lines); });
    Dialogs::Guarded(this, [this] { startUp(); });
    // A restore opens the session anew: the lists follow the file now in place.
    connect(&m_session, &Session::opened, this, [this] {
        Dialogs::Guarded(this, [this] {
            refreshTicket();
            reloadProductList();
        });
    });
}

void CounterWindow::connectHeader()
{
    connect(m_clock, &QTimer::timeout, this, &CounterWindow::showTime);
    ConnectHandler(m_manualTimeCheck, &QCheckBox::clicked, this, &CounterWindow::setManualTime);
    ConnectHandler(m_customerCheck, &QCheckBox::clicked, this, &CounterWindow::setCustomerShown);
    ConnectHandler(m_optionsButton, &QToolButton::clicked, this, &CounterWindow::popUpOptions);
    for (QLabel *chrome : {m_banner, m_minimiseImage, m_closeImage})
        chrome->installEventFilter(this);
}

// The options menu and the buttons that lead out of the counter.
void CounterWindow::connectActions()
{
    connect(m_catalogueAction, &QAction::triggered, this, &CounterWindow::catalogueRequested);
    connect(m_statisticsAction, &QAction::triggered, this, &CounterWindow::statisticsRequested);
    connect(m_statisticsButton, &QToolButton::clicked, this, &CounterWindow::statisticsRequested);
    connect(m_backupAction, &QAction::triggered, this, &CounterWindow::backupRequested);
    connect(m_restoreAction, &QAction::triggered, this, &CounterWindow::restoreRequested);
    connect(m_helpAction, &QAction::triggered, this, &CounterWindow::helpRequested);
    connect(m_faqAction, &QAction::triggered, this, &CounterWindow::faqRequested);
    connect(m_siteAction, &QAction::triggered, this, &CounterWindow::siteRequested);
    connect(m_printerSetupAction, &QAction::triggered, this, &CounterWindow::printerSetupRequested);
    connect(m_databaseSetupAction, &QAction::triggered, this, &CounterWindow::databaseSetupRequested);
    connect(m_serverImportAction, &QAction::triggered, this, &CounterWindow::serverImportRequested);
    connect(m_waitingSalesAction, &QAction::triggered, this, &CounterWindow::waitingSalesRequested);
    connect(m_aboutAction, &QAction::triggered, this, &CounterWindow::aboutRequested);
    ConnectHandler(m_previewButton, &QToolButton::clicked, this, &CounterWindow::askForPreview);
    ConnectHandler(m_printButton, &QToolButton::clicked, this, &CounterWindow::printTicket);
}

// A fresh ticket number, the stored settings, the product list, and the lines
// of a sale an earlier run did not record (a failed print, a kill), with their totals.
void CounterWindow::startUp()
{
    m_ticketNumberEdit->setText(IssueTicketNumber(m_session));
    const PrintSettings settings = LoadPrintSettings(m_session);
    m_shopNameEdit->setText(settings.shopName);
    m_remarkEdit->setPlainText(settings.remark);
    m_cashierEdit->setText(settings.cashier);
    m_paperWidthBox->setEditText(settings.pos);
    m_templateBox->setEditText(settings.modle);
    m_copiesBox->setEditText(settings.print);
    CurrentTicket::Open(m_lines);
    if (m_lines.recordCount() > 0) // an empty ticket starts blank, with nothing payable yet
        refreshTotals();
    // Last: a shop's server may be away, and the counter works without its list.
    reloadProductList();
}

void CounterWindow::reloadProductList()
{
    // Read first: a list that cannot be read keeps the one shown.
    const QStringList names = Catalogue::ProductNames(m_session);
    m_productBox->clear();
    m_productBox->clearEditText();
    m_productListRead = true;
    m_productRowsFound = !names.isEmpty();
    m_productBox->addItems(names);
    m_productBox->setCurrentIndex(-1);
    m_productBox->clearEditText();
}

void CounterWindow::showWaitingSales(int count, int setAside, const QString &problem)
{
    m_waitingSalesLabel->setText(QStringLiteral("%1 笔销售待上传").arg(count));
    m_waitingSalesLabel->setToolTip(problem);
    m_waitingSalesLabel->setVisible(count > 0);
    m_setAsideSalesLabel->setText(QStringLiteral("%1 笔销售被搁置").arg(setAside));
    m_setAsideSalesLabel->setToolTip(QStringLiteral("服务器拒绝了这些销售，详见“选项 → 待上传销售”"));
    m_setAsideSalesLabel->setVisible(setAside > 0);
    // The server answers again: a product list it could not give before follows now.
    if (problem.isEmpty() && !m_productListRead)
        Dialogs::Guarded(this, [this] { reloadProductList(); });
}

void CounterWindow::refreshTicket()
{
    CurrentTicket::Open(m_lines);
    refreshTotals();
}

void CounterWindow::showTime()
{
    m_ticketTimeEdit->setText(TicketTime());
}

// Manual ticket time: the clock stops and the time can be typed.
void CounterWindow::setManualTime()
{
    if (m_manualTimeCheck->isChecked())
        m_clock->stop();
    else
        m_clock->start();
    m_ticketTimeEdit->setEnabled(m_manualTimeCheck->isChecked());
}

void CounterWindow::setCustomerShown()
{
    const bool withCustomer = m_customerCheck->isChecked();
    for (QLineEdit *edit : {m_customerEdit, m_phoneEdit, m_addressEdit}) {
        if (!withCustomer)
            edit->clear();
        edit->setEnabled(withCustomer);
    }
}

void CounterWindow::popUpOptions()
{
    m_optionsMenu->popup(QPoint(x() + m_optionsButton->x(), y() + 120));
}

bool CounterWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_quantityEdit || watched == m_discountBox)) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Dialogs::Guarded(this, [this] { addLine(); });
            return true;
        }
        return false;
    }
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() == QEvent::MouseButtonPress && watched == m_banner && mouse->button() == Qt::LeftButton) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton) {
        if (watched == m_minimiseImage) {
            showMinimized();
            return true;
        }
        if (watched == m_closeImage) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
