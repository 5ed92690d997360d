#include "counter/PaymentDialog.h"

#include "counter/NumericKeyFilter.h"
#include "counter/SelectOnFocus.h"
#include "grid/Dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

const char *BoxName(PaymentMethod method)
{
    switch (method) {
    case PaymentMethod::Cash:
        return "PayCash";
    case PaymentMethod::WeChat:
        return "PayWeChat";
    case PaymentMethod::Alipay:
        return "PayAlipay";
    case PaymentMethod::Card:
        return "PayCard";
    case PaymentMethod::Other:
        return "PayOther";
    }
    return "";
}

} // namespace

PaymentDialog::PaymentDialog(Amount payable, const std::vector<Payment> &chosen, QWidget *parent)
    : QDialog(parent)
    , m_payable(payable)
    , m_owed(new QLabel)
{
    setObjectName(QStringLiteral("PaymentDialog"));
    setWindowTitle(QStringLiteral("支付方式"));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("应付："), new QLabel(payable.displayText()));
    auto *numbers = new NumericKeyFilter(this);
    auto *selecting = new SelectOnFocus(this);
    for (const PaymentMethod method : AllMethods()) {
        auto *box = new QLineEdit;
        box->setObjectName(QString::fromLatin1(BoxName(method)));
        for (const Payment &part : chosen)
            if (part.method == method)
                box->setText(part.amount.text());
        numbers->watch(box);
        selecting->watch(box);
        // After the key filter, so Enter is seen though the filter drops it.
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, &PaymentDialog::showOwed);
        form->addRow(MethodName(method) + QStringLiteral("："), box);
        m_boxes.emplace_back(method, box);
    }
    form->addRow(m_owed);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PaymentDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    showOwed();
}

bool PaymentDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        offerRemainder(static_cast<QLineEdit *>(watched));
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    confirm();
    return true;
}

std::vector<TypedPart> PaymentDialog::typed() const
{
    std::vector<TypedPart> parts;
    for (const auto &[method, box] : m_boxes)
        parts.push_back({method, box->text()});
    return parts;
}

void PaymentDialog::showOwed()
{
    const Amount paid = TypedSum(typed());
    m_owed->setText(QStringLiteral("尚欠：%1　　找零：%2")
                        .arg(std::max(m_payable - paid, Amount()).displayText(),
                             std::max(paid - m_payable, Amount()).displayText()));
}

// Once a part is typed, an empty box the cashier moves to takes what is
// still owed; the first box is not filled on its own when the dialog opens,
// so that a split can start anywhere.
void PaymentDialog::offerRemainder(QLineEdit *box)
{
    const Amount paid = TypedSum(typed());
    const Amount remainder = (m_payable - paid).cents();
    if (box->text().isEmpty() && paid > Amount() && remainder > Amount())
        box->setText(remainder.text());
}

void PaymentDialog::confirm()
{
    PaymentSplit split = SplitPayment(m_payable, typed());
    if (!split.refusal.isEmpty()) {
        Dialogs::Message(this, split.refusal, Dialogs::Icon::Warning);
        return;
    }
    m_payments = std::move(split.parts);
    accept();
}
