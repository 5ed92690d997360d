#include "records/ReturnDialog.h"

#include "base/AppError.h"
#include "grid/Dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { Name, Price, Sold, Returned, ThisReturn, ColumnCount };

QTableWidgetItem *Shown(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

ReturnDialog::ReturnDialog(Session &session, SaleReturns::Returnable returnable, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_returnable(std::move(returnable))
{
    setObjectName(QStringLiteral("ReturnDialog"));
    setWindowTitle(QStringLiteral("退货 - 原单号 %1").arg(m_returnable.sale.number));
    resize(560, 360);

    auto *lines = new QTableWidget(int(m_returnable.lines.size()), ColumnCount, this);
    lines->setObjectName(QStringLiteral("ReturnLines"));
    lines->setHorizontalHeaderLabels({QStringLiteral("品名"), QStringLiteral("单价"), QStringLiteral("售出"),
                                      QStringLiteral("已退"), QStringLiteral("本次退货")});
    lines->horizontalHeader()->setSectionResizeMode(Name, QHeaderView::Stretch);
    for (int row = 0; row < int(m_returnable.lines.size()); ++row) {
        const SaleReturns::ReturnableLine &line = m_returnable.lines[size_t(row)];
        lines->setItem(row, Name, Shown(line.sold.name));
        lines->setItem(row, Price, Shown(line.sold.price.displayText()));
        lines->setItem(row, Sold, Shown(line.sold.quantity.displayText()));
        lines->setItem(row, Returned, Shown(line.returned.displayText()));
        auto *quantity = new QLineEdit(lines);
        quantity->setObjectName(QStringLiteral("ReturnQuantity%1").arg(row));
        quantity->setEnabled(line.left() > 0);
        lines->setCellWidget(row, ThisReturn, quantity);
        m_quantities.push_back(quantity);
    }

    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("ReturnMethod"));
    for (const PaymentMethod method : AllMethods())
        m_method->addItem(MethodName(method), int(method));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("退款方式："), m_method);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OkButton"));
    ok->setDefault(true); // Enter in a quantity box confirms
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReturnDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lines);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

ReturnDialog::~ReturnDialog() = default;

void ReturnDialog::confirm()
{
    std::vector<QString> quantities;
    for (const QLineEdit *quantity : m_quantities)
        quantities.push_back(quantity->text());
    try {
        m_return = SaleReturns::Build(m_session, m_returnable, quantities,
                                      static_cast<PaymentMethod>(m_method->currentData().toInt()));
    } catch (const DataError &refusal) {
        Dialogs::Message(this, refusal.message(), Dialogs::Icon::Warning);
        return;
    }
    accept();
}
