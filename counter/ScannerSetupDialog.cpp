#include "counter/ScannerSetupDialog.h"

#include "grid/Handlers.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

ScannerSetupDialog::ScannerSetupDialog(QWidget *parent, const QString &confPath)
    : QDialog(parent)
    , m_confPath(confPath)
    , m_from(new QSpinBox(this))
    , m_to(new QSpinBox(this))
    , m_byAmount(new QRadioButton(QStringLiteral("金额（分）"), this))
    , m_byWeight(new QRadioButton(QStringLiteral("重量（克）"), this))
{
    setObjectName(QStringLiteral("ScannerSetupDialog"));
    setWindowTitle(QStringLiteral("扫码设置"));
    const ScannerSettings settings = LoadScannerSettings(confPath);
    const std::pair<QSpinBox *, int> prefixes[] = {{m_from, settings.prefixFrom}, {m_to, settings.prefixTo}};
    for (const auto &[box, prefix] : prefixes) {
        box->setRange(0, 99);
        box->setValue(prefix);
    }
    m_from->setObjectName(QStringLiteral("PrefixFrom"));
    m_to->setObjectName(QStringLiteral("PrefixTo"));
    m_byWeight->setObjectName(QStringLiteral("ByWeight"));
    (settings.figureIsWeight ? m_byWeight : m_byAmount)->setChecked(true);

    auto *range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(new QLabel(QStringLiteral("至"), this));
    range->addWidget(m_to);
    auto *figure = new QHBoxLayout;
    figure->addWidget(m_byAmount);
    figure->addWidget(m_byWeight);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("电子秤条码前缀："), range);
    form->addRow(QStringLiteral("条码中的五位数字："), figure);
    form->addRow(buttons);
    ConnectHandler(buttons, &QDialogButtonBox::accepted, this, &ScannerSetupDialog::saveAndClose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ScannerSettings ScannerSetupDialog::chosen() const
{
    return {m_from->value(), m_to->value(), m_byWeight->isChecked()};
}

void ScannerSetupDialog::saveAndClose()
{
    if (m_from->value() > m_to->value()) {
        Dialogs::Message(this, QStringLiteral("电子秤条码前缀的起始值不能大于结束值！"), Dialogs::Icon::Warning);
        return;
    }
    SaveScannerSettings(m_confPath, chosen());
    accept();
}
