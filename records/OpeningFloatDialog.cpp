#include "records/OpeningFloatDialog.h"

#include "base/AppError.h"
#include "data/shop/Shift.h"
#include "grid/Handlers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

OpeningFloatDialog::OpeningFloatDialog(Session &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_box(new QLineEdit(Shift::OpeningFloat(session).displayText(), this))
{
    setObjectName(QStringLiteral("OpeningFloatForm"));
    setWindowTitle(QStringLiteral("备用金"));
    m_box->setObjectName(QStringLiteral("FloatBox"));
    m_box->selectAll();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto *layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("备用金"), m_box);
    layout->addRow(buttons);
    ConnectHandler(buttons, &QDialogButtonBox::accepted, this, &OpeningFloatDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void OpeningFloatDialog::save()
{
    const std::optional<Amount> amount = Amount::tryFromText(m_box->text());
    if (!amount || *amount < Amount())
        throw AppError(QStringLiteral("备用金不是有效的金额。"));
    Shift::SetOpeningFloat(m_session, *amount);
    accept();
}
