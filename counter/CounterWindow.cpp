#include "counter/CounterWindow.h"

#include "base/NumberText.h"
#include "checkout/Checkout.h"
#include "checkout/PrintProgress.h"
#include "counter/HeldTicketsDialog.h"
#include "counter/LineEntry.h"
#include "counter/LinePricing.h"
#include "counter/PaymentEntry.h"
#include "counter/PixelFont.h"
#include "counter/RemarkLines.h"
#include "counter/ScannerSettings.h"
#include "counter/ScannerSetupDialog.h"
#include "counter/ShopLimits.h"
#include "counter/TicketHeader.h"
#include "counter/TicketLines.h"
#include "counter/WindowChrome.h"
#include "data/shop/PrintSettings.h"
#include "data/store/Session.h"
#include "data/sync/TicketNumbers.h"
#include "grid/Handlers.h"
#include "maintenance/WebAddresses.h"
#include "printers/PaperWidthCheck.h"
#include "ui_CounterWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

CounterWindow::CounterWindow(Session &session, Checkout &checkout, QWidget *parent)
    : QWidget(parent)
    , m_session(session)
    , m_checkout(checkout)
    , m_ui(std::make_unique<Ui::CounterWindow>())
{
    // Before the form: its style sheet fixes the fonts its widgets have when it is applied.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setFont(PixelFont("宋体", 15));
    m_ui->setupUi(this);
    finishForm();
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    new WindowChrome(*this, m_ui->Image1, m_ui->Image2, m_ui->Image3);
    m_entry = new LineEntry(*m_ui, session, *this);
    m_payment = new PaymentEntry(m_ui->ComboBox3, m_ui->Edit12, m_ui->Edit13, m_ui->SpeedButton9, *this);
    m_lines = new TicketLines(
        *m_ui, session, *m_entry, *m_payment,
        [this] {
            return TicketStamp{ticketNumberEdit()->text(), ticketTimeEdit()->text()};
        },
        *this);
    connectHeader();
    bindKeys();
    connect(m_entry, &LineEntry::catalogueWanted, this, &CounterWindow::catalogueRequestedFor);
    m_checkout.setJobRunner([this](const std::vector<Checkout::Job> &jobs) { PrintWithProgress(this, jobs); });

    m_clock->start();
    customerEdit()->setFocus(); // the customer's name comes first
}

CounterWindow::~CounterWindow() = default;

void CounterWindow::finishForm()
{
    setBackgroundRole(QPalette::Button);
    const std::pair<QWidget *, int> headings[] = {
        {optionsButton(), 15}, {m_ui->Label1, 15}, {m_ui->Label17, 24}, {printButton(), 27}};
    for (const auto &[heading, pixels] : headings)
        heading->setFont(PixelFont("微软雅黑", pixels, true));
    // Read-only output: button-face background, blue text.
    for (QLineEdit *output : {m_ui->Edit9, m_ui->Edit10, m_ui->Edit12, m_ui->Edit13}) {
        QPalette palette = output->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Button));
        palette.setColor(QPalette::Text, QColor(0, 0, 255));
        output->setPalette(palette);
    }
    for (QLineEdit *bold : {m_ui->Edit12, m_ui->Edit13}) {
        QFont font = bold->font();
        font.setBold(true);
        bold->setFont(font);
    }

    auto *motto = new QLabel(QStringLiteral("  以“好用、实用、易用”为设计理念！"));
    motto->setFixedWidth(550);
    auto *blank = new QLabel;
    blank->setFixedWidth(200);
    statusBar()->addWidget(motto);
    statusBar()->addWidget(blank);
    statusBar()->addWidget(new QLabel(QStringLiteral(" 网站：") + WebAddresses::Site), 1);
    m_waitingSalesLabel = new QLabel;
    m_waitingSalesLabel->setObjectName(QStringLiteral("WaitingSalesLabel"));
    m_waitingSalesLabel->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    m_waitingSalesLabel->hide();
    statusBar()->addPermanentWidget(m_waitingSalesLabel);
    m_setAsideSalesLabel = new QLabel;
    m_setAsideSalesLabel->setObjectName(QStringLiteral("SetAsideSalesLabel"));
    m_setAsideSalesLabel->setStyleSheet(QStringLiteral("QLabel { color: red; font-weight: bold; }"));
    m_setAsideSalesLabel->hide();
    statusBar()->addPermanentWidget(m_setAsideSalesLabel);
    m_paperWidthLabel = new QLabel;
    m_paperWidthLabel->setObjectName(QStringLiteral("PaperWidthWarningLabel"));
    m_paperWidthLabel->setStyleSheet(QStringLiteral("QLabel { color: red; }"));
    m_paperWidthLabel->hide();
    statusBar()->addPermanentWidget(m_paperWidthLabel);

    m_clock = new QTimer(this);
    m_clock->setObjectName(QStringLiteral("Timer1"));
    m_clock->setInterval(1000);
    buildOptionsMenu();
}

// The options menu; each entry asks for what lies beyond the counter.
void CounterWindow::buildOptionsMenu()
{
    m_optionsMenu = new QMenu(this);
    m_optionsMenu->setObjectName(QStringLiteral("PopupMenu1"));
    const struct
    {
        const char *name;
        const char *text; // nullptr: a separator
        void (CounterWindow::*request)();
    } entries[] = {
        {"N1", "商品信息", &CounterWindow::catalogueRequested},
        {"N2", "销售统计", &CounterWindow::statisticsRequested},
        {"DeletionJournalEntry", "删除记录", &CounterWindow::deletionJournalRequested},
        {"ShiftCloseEntry", "交班", &CounterWindow::shiftCloseRequested},
        {"OpeningFloatEntry", "备用金", &CounterWindow::openingFloatRequested},
        {"ShiftHistoryEntry", "交班记录", &CounterWindow::shiftHistoryRequested},
        {"HoldEntry", "挂单", &CounterWindow::holdTicket},
        {"RecallEntry", "取单", &CounterWindow::recallTicket},
        {"N3", nullptr, nullptr},
        {"N4", "数据备份", &CounterWindow::backupRequested},
        {"N5", "数据恢复", &CounterWindow::restoreRequested},
        {"N6", nullptr, nullptr},
        {"N7", "帮助主题", &CounterWindow::helpRequested},
        {"N8", "常见问题", &CounterWindow::faqRequested},
        {"N9", "软件网站", &CounterWindow::siteRequested},
        {"PrinterSetupEntry", "打印机设置", &CounterWindow::printerSetupRequested},
        {"ScannerSetupEntry", "扫码设置", &CounterWindow::setUpScanner},
        {"DatabaseSetupEntry", "数据库设置", &CounterWindow::databaseSetupRequested},
        {"ServerImportEntry", "导入本机数据到服务器", &CounterWindow::serverImportRequested},
        {"WaitingSalesEntry", "待上传销售", &CounterWindow::waitingSalesRequested},
        {"AboutEntry", "关于", &CounterWindow::aboutRequested},
    };
    for (const auto &entry : entries) {
        QAction *action = entry.text ? m_optionsMenu->addAction(QString::fromUtf8(entry.text))
                                     : m_optionsMenu->addSeparator();
        action->setObjectName(QString::fromLatin1(entry.name));
        if (entry.request)
            ConnectHandler(action, &QAction::triggered, this, entry.request);
    }
}

void CounterWindow::connectHeader()
{
    connect(m_clock, &QTimer::timeout, this, &CounterWindow::showTime);
    connect(paperWidthBox(), &QComboBox::editTextChanged, this, &CounterWindow::showPaperWidthWarning);
    ConnectHandler(manualTimeCheck(), &QCheckBox::clicked, this, &CounterWindow::setManualTime);
    ConnectHandler(customerCheck(), &QCheckBox::clicked, this, &CounterWindow::setCustomerShown);
    ConnectHandler(optionsButton(), &QToolButton::clicked, this, &CounterWindow::popUpOptions);
    connect(statisticsButton(), &QToolButton::clicked, this, &CounterWindow::statisticsRequested);
    ConnectHandler(previewButton(), &QToolButton::clicked, this, &CounterWindow::askForPreview);
    ConnectHandler(printButton(), &QToolButton::clicked, this, &CounterWindow::printTicket);
}

// The till's keys act wherever the focus is in the window.
void CounterWindow::bindKeys()
{
    const std::pair<QKeySequence, QToolButton *> buttons[] = {{Qt::Key_F12, printButton()},
                                                              {QKeySequence(Qt::CTRL | Qt::Key_P), printButton()},
                                                              {Qt::Key_F9, previewButton()}};
    for (const auto &[key, button] : buttons)
        connect(new QShortcut(key, this), &QShortcut::activated, button, &QToolButton::click);
    const std::pair<QKeySequence, void (CounterWindow::*)()> actions[] = {{Qt::Key_F4, &CounterWindow::focusPayment},
                                                                          {Qt::Key_Escape, &CounterWindow::clearEntry},
                                                                          {Qt::Key_F5, &CounterWindow::holdTicket},
                                                                          {Qt::Key_F6, &CounterWindow::recallTicket}};
    for (const auto &[key, action] : actions)
        ConnectHandler(new QShortcut(key, this), &QShortcut::activated, this, action);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_J), this), &QShortcut::activated, this,
            &CounterWindow::shiftCloseRequested);
}

void CounterWindow::start()
{
    Dialogs::Guarded(this, [this] { m_lines->open(); });
    Dialogs::Guarded(this, [this] { startUp(); });
    keepSettingsSaved();
    Dialogs::Guarded(this, [this] { m_entry->setScannerSettings(LoadScannerSettings(CounterConfPath())); });
    // A restore opens the session anew: the lists follow the file now in place.
    connect(&m_session, &Session::opened, this, [this] {
        Dialogs::Guarded(this, [this] {
            refreshTicket();
            reloadProductList();
        });
    });
}

// A fresh ticket number, the stored settings, the product list, and the lines
// of a sale an earlier run did not record (a failed print, a kill), with their totals.
void CounterWindow::startUp()
{
    ticketNumberEdit()->setText(IssueTicketNumber(m_session));
    const PrintSettings settings = LoadPrintSettings(m_session);
    shopNameEdit()->setText(settings.shopName);
    remarkEdit()->setPlainText(settings.remark);
    cashierEdit()->setText(settings.cashier);
    paperWidthBox()->setEditText(settings.pos);
    templateBox()->setEditText(settings.modle);
    copiesBox()->setEditText(settings.print);
    m_lines->open();
    if (!m_lines->isEmpty()) // an empty ticket starts blank, with nothing payable yet
        m_lines->refreshTotals();
    // Last: a shop's server may be away, and the counter works without its list.
    reloadProductList();
}

// An edit of a settings field is saved after a short pause in typing (one
// commit, not one per key), and at once when the field loses the focus, the
// window closes or the file is closed, so that a test page or the next start
// finds it without a sale printed first.
void CounterWindow::keepSettingsSaved()
{
    m_settingsPause = new QTimer(this);
    m_settingsPause->setSingleShot(true);
    m_settingsPause->setInterval(400);
    connect(m_settingsPause, &QTimer::timeout, this, &CounterWindow::saveSettings);
    const auto edited = [this] { m_settingsPause->start(); };
    connect(shopNameEdit(), &QLineEdit::textEdited, this, edited);
    connect(cashierEdit(), &QLineEdit::textEdited, this, edited);
    connect(remarkEdit(), &QPlainTextEdit::textChanged, this, edited);
    for (QComboBox *box : {paperWidthBox(), templateBox(), copiesBox()})
        connect(box, &QComboBox::editTextChanged, this, edited);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *left) {
        if (left && isAncestorOf(left))
            saveEditedSettings();
    });
    connect(&m_session, &Session::aboutToClose, this, &CounterWindow::saveEditedSettings);
}

void CounterWindow::saveEditedSettings()
{
    if (m_settingsPause->isActive()) {
        m_settingsPause->stop();
        saveSettings();
    }
}

void CounterWindow::saveSettings()
{
    if (m_session.isOpen())
        Dialogs::Guarded(this, [this] { SavePrintSettings(m_session, settings()); });
}

void CounterWindow::reloadProductList()
{
    m_entry->reloadProducts();
}

void CounterWindow::refreshTicket()
{
    m_lines->open();
    m_lines->refreshTotals();
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
    if (problem.isEmpty() && !m_entry->productsRead())
        Dialogs::Guarded(this, [this] { reloadProductList(); });
}

void CounterWindow::usePrinter(const PrinterConf &conf)
{
    m_printer = conf;
    showPaperWidthWarning();
}

void CounterWindow::showPaperWidthWarning()
{
    m_paperWidthLabel->setText(PaperWidthWarning(m_printer, paperWidthBox()->currentText()));
    m_paperWidthLabel->setVisible(!m_paperWidthLabel->text().isEmpty());
}

void CounterWindow::closeWithoutAsking()
{
    m_askBeforeClosing = false;
    close();
}

void CounterWindow::closeEvent(QCloseEvent *event)
{
    if (m_askBeforeClosing && !m_lines->isEmpty()
        && !Dialogs::AskBeforeHarm(this, QStringLiteral("当前小票还有商品没有打印，确定退出吗？")))
        event->ignore();
    else
        saveEditedSettings();
}

void CounterWindow::showTime()
{
    ticketTimeEdit()->setText(TicketTime());
}

// Manual ticket time: the clock stops and the time can be typed.
void CounterWindow::setManualTime()
{
    if (manualTimeCheck()->isChecked())
        m_clock->stop();
    else
        m_clock->start();
    ticketTimeEdit()->setEnabled(manualTimeCheck()->isChecked());
}

void CounterWindow::setCustomerShown()
{
    const bool withCustomer = customerCheck()->isChecked();
    for (QLineEdit *edit : {customerEdit(), phoneEdit(), addressEdit()}) {
        if (!withCustomer)
            edit->clear();
        edit->setEnabled(withCustomer);
    }
}

void CounterWindow::setUpScanner()
{
    Dialogs::Guarded(this, [this] {
        ScannerSetupDialog dialog(this);
        if (dialog.exec() == QDialog::Accepted)
            m_entry->setScannerSettings(dialog.chosen());
    });
}

void CounterWindow::popUpOptions()
{
    m_optionsMenu->popup(QPoint(x() + optionsButton()->x(), y() + 120));
}

void CounterWindow::focusPayment()
{
    paidBox()->setFocus(Qt::ShortcutFocusReason);
    paidBox()->lineEdit()->selectAll();
}

// The line being typed is dropped; the stored lines stay.
void CounterWindow::clearEntry()
{
    m_entry->clear();
    productBox()->setFocus(Qt::ShortcutFocusReason);
}

// Print: the checkout saves the settings, records the sale, prints the receipt
// and opens the drawer; the counter then starts the next ticket.
void CounterWindow::printTicket()
{
    long double paid = 0;
    if (TryTextToNumber(m_payment->paid(), paid)) {
        if (const QString warning = ShopNumberWarning(paid, QStringLiteral("支付")); !warning.isEmpty()) {
            Dialogs::Message(this, warning, Dialogs::Icon::Warning);
            return;
        }
    }
    // No second sale while this one prints.
    printButton()->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { printButton()->setEnabled(true); });
    const Checkout::Result result = m_checkout.run(currentOrder());
    if (result.outcome == Checkout::Outcome::EmptyTicket) {
        Dialogs::Message(this, QStringLiteral("打印信息为空！"), Dialogs::Icon::Warning);
        return;
    }
    m_lines->open();
    startNextTicket();
    productBox()->setFocus(Qt::OtherFocusReason); // the next customer's first product
    if (!result.drawerProblem.isEmpty())
        Dialogs::Message(this, QStringLiteral("销售已记录，但钱箱没有打开：%1").arg(result.drawerProblem),
                         Dialogs::Icon::Warning);
}

// The ticket is parked with its customer, and the next customer is served
// under a new number.
void CounterWindow::holdTicket()
{
    if (m_lines->isEmpty()) {
        Dialogs::Message(this, QStringLiteral("当前小票没有商品，无需挂单！"), Dialogs::Icon::Warning);
        return;
    }
    if (HeldTickets::Count(m_session) >= HeldTickets::kMost) {
        Dialogs::Message(this, QStringLiteral("已挂起 %1 张小票，请先取单，再挂新的小票！").arg(HeldTickets::kMost),
                         Dialogs::Icon::Warning);
        return;
    }
    HeldTickets::Hold(m_session, TicketTime(), {customerEdit()->text(), phoneEdit()->text(), addressEdit()->text()});
    m_lines->open();
    m_entry->clear();
    startNextTicket();
    productBox()->setFocus(Qt::OtherFocusReason);
}

// A held ticket comes back onto an empty counter, under the number it shows.
void CounterWindow::recallTicket()
{
    if (!m_lines->isEmpty()) {
        Dialogs::Message(this, QStringLiteral("当前小票还有商品，请先打印或挂单，再取单！"), Dialogs::Icon::Warning);
        return;
    }
    const std::vector<HeldTicket> held = HeldTickets::List(m_session);
    if (held.empty()) {
        Dialogs::Message(this, QStringLiteral("没有挂起的小票！"), Dialogs::Icon::Information);
        return;
    }
    HeldTicketsDialog dialog(held, this);
    dialog.exec();
    const std::optional<QString> chosen = dialog.chosen();
    if (!chosen)
        return;
    const TicketCustomer customer = HeldTickets::Recall(m_session, *chosen, ticketNumberEdit()->text(),
                                                        ticketTimeEdit()->text());
    if (!customer.name.isEmpty() || !customer.phone.isEmpty() || !customer.address.isEmpty()) {
        customerCheck()->setChecked(true);
        setCustomerShown();
    }
    customerEdit()->setText(customer.name);
    phoneEdit()->setText(customer.phone);
    addressEdit()->setText(customer.address);
    refreshTicket();
    productBox()->setFocus(Qt::OtherFocusReason);
}

void CounterWindow::askForPreview()
{
    emit previewRequested(currentOrder());
}

// The sale as a value: its lines as the ticket's grid lists them (the
// checkout reads them again from the data file), its texts from the counter's
// fields, the settings as they stand.
ReceiptOrder CounterWindow::currentOrder() const
{
    ReceiptOrder order;
    order.settings = settings();
    order.remarkLines = ShownLineCount(*remarkEdit());
    order.withCustomer = customerCheck()->isChecked();

    Sale &sale = order.sale;
    sale.number = ticketNumberEdit()->text();
    sale.time = ticketTimeEdit()->text();
    sale.cashier = cashierEdit()->text();
    sale.customer = customerEdit()->text();
    sale.phone = phoneEdit()->text();
    sale.address = addressEdit()->text();
    sale.lines = m_lines->lines();
    sale.paid = m_payment->paid();
    sale.payments = m_payment->payments();
    return order;
}

PrintSettings CounterWindow::settings() const
{
    return {shopNameEdit()->text(),         remarkEdit()->toPlainText(),  cashierEdit()->text(),
            paperWidthBox()->currentText(), templateBox()->currentText(), copiesBox()->currentText()};
}

// The customer, the totals and the payment are cleared under a new ticket number.
void CounterWindow::startNextTicket()
{
    for (QLineEdit *edit : {customerEdit(), phoneEdit(), addressEdit()})
        edit->clear();
    m_lines->clearTotals();
    m_payment->clear();
    ticketNumberEdit()->setText(IssueTicketNumber(m_session));
}

QLineEdit *CounterWindow::shopNameEdit() const
{
    return m_ui->Edit1;
}

QLineEdit *CounterWindow::ticketNumberEdit() const
{
    return m_ui->Edit2;
}

QLineEdit *CounterWindow::ticketTimeEdit() const
{
    return m_ui->Edit3;
}

QLineEdit *CounterWindow::customerEdit() const
{
    return m_ui->Edit4;
}

QLineEdit *CounterWindow::phoneEdit() const
{
    return m_ui->Edit5;
}

QLineEdit *CounterWindow::addressEdit() const
{
    return m_ui->Edit6;
}

QLineEdit *CounterWindow::cashierEdit() const
{
    return m_ui->Edit11;
}

QComboBox *CounterWindow::productBox() const
{
    return m_ui->ComboBox1;
}

QComboBox *CounterWindow::paidBox() const
{
    return m_ui->ComboBox3;
}

QCheckBox *CounterWindow::manualTimeCheck() const
{
    return m_ui->CheckBox1;
}

QCheckBox *CounterWindow::customerCheck() const
{
    return m_ui->CheckBox2;
}

QPlainTextEdit *CounterWindow::remarkEdit() const
{
    return m_ui->Memo1;
}

QComboBox *CounterWindow::paperWidthBox() const
{
    return m_ui->ComboBox4;
}

QComboBox *CounterWindow::templateBox() const
{
    return m_ui->ComboBox5;
}

QComboBox *CounterWindow::copiesBox() const
{
    return m_ui->ComboBox6;
}

QToolButton *CounterWindow::optionsButton() const
{
    return m_ui->SpeedButton1;
}

QToolButton *CounterWindow::statisticsButton() const
{
    return m_ui->SpeedButton6;
}

QToolButton *CounterWindow::previewButton() const
{
    return m_ui->SpeedButton7;
}

QToolButton *CounterWindow::printButton() const
{
    return m_ui->SpeedButton8;
}

QStatusBar *CounterWindow::statusBar() const
{
    return m_ui->StatusBar1;
}
