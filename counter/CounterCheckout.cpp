#include "counter/CounterWindow.h"

#include "base/NumberText.h"
#include "checkout/Checkout.h"
#include "counter/LinePricing.h"
#include "counter/RemarkLines.h"
#include "counter/ShopLimits.h"
#include "data/shop/CurrentTicket.h"
#include "data/sync/TicketNumbers.h"
#include "grid/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QToolButton>

// Print: the checkout saves the settings, records the sale, prints the receipt
// and opens the drawer; the counter then starts the next ticket.
void CounterWindow::printTicket()
{
    long double paid = 0;
    if (TryTextToNumber(m_paidBox->currentText(), paid)) {
        if (const QString warning = ShopNumberWarning(paid, QStringLiteral("支付")); !warning.isEmpty()) {
            Dialogs::Message(this, warning, Dialogs::Icon::Warning);
            return;
        }
    }
    // No second sale while this one prints.
    m_printButton->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { m_printButton->setEnabled(true); });
    const Checkout::Result result = m_checkout.run(currentOrder());
    if (result.outcome == Checkout::Outcome::EmptyTicket) {
        Dialogs::Message(this, QStringLiteral("打印信息为空！"), Dialogs::Icon::Warning);
        return;
    }
    CurrentTicket::Open(m_lines);
    startNextTicket();
    if (!result.drawerProblem.isEmpty())
        Dialogs::Message(this, QStringLiteral("销售已记录，但钱箱没有打开：%1").arg(result.drawerProblem),
                         Dialogs::Icon::Warning);
}

void CounterWindow::askForPreview()
{
    emit previewRequested(currentOrder());
}

// The ticket as a value: its totals from the current ticket's rows (the
// checkout reads the lines themselves from the data file), its texts from the
// counter's fields, the settings as they stand.
ReceiptOrder CounterWindow::currentOrder() const
{
    ReceiptOrder order;
    order.settings = {m_shopNameEdit->text(),         m_remarkEdit->toPlainText(),  m_cashierEdit->text(),
                      m_paperWidthBox->currentText(), m_templateBox->currentText(), m_copiesBox->currentText()};
    order.remarkLines = ShownLineCount(*m_remarkEdit);
    order.withCustomer = m_customerCheck->isChecked();

    Ticket &ticket = order.ticket;
    ticket.number = m_ticketNumberEdit->text();
    ticket.time = m_ticketTimeEdit->text();
    ticket.cashier = m_cashierEdit->text();
    ticket.customer = m_customerEdit->text();
    ticket.phone = m_phoneEdit->text();
    ticket.address = m_addressEdit->text();
    ticket.totalQuantity = TotalText(m_totals.quantity);
    ticket.totalAmount = TotalText(m_totals.amount);
    ticket.totalDiscounted = TotalText(m_totals.afterDiscount);
    ticket.paid = m_paidBox->currentText();
    ticket.change = m_changeEdit->text();
    return order;
}

// The customer, the totals and the payment are cleared under a new ticket number.
void CounterWindow::startNextTicket()
{
    m_customerEdit->clear();
    m_phoneEdit->clear();
    m_addressEdit->clear();
    m_totals = {};
    for (QLabel *total : {m_totalQuantityLabel, m_totalAmountLabel, m_totalDiscountedLabel})
        total->setText(QStringLiteral("0"));
    fitTotals(); // a long total before may have shrunk the font
    m_paidBox->setEditText(QString());
    m_payableEdit->clear();
    m_changeEdit->clear();
    m_ticketNumberEdit->setText(IssueTicketNumber(m_session));
}
