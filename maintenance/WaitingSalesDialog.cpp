#include "maintenance/WaitingSalesDialog.h"

#include "base/NumberText.h"
#include "grid/Dialogs.h"
#include "grid/Handlers.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

WaitingSalesDialog::WaitingSalesDialog(Session &session, QWidget *parent)
    : QDialog(parent)
    , m_session(session)
    , m_table(new QTableWidget(this))
    , m_sendAgainButton(new QPushButton(QStringLiteral("重新上传"), this))
    , m_freshNumberButton(new QPushButton(QStringLiteral("换新单号重新上传"), this))
{
    setObjectName(QStringLiteral("WaitingSalesDialog"));
    setWindowTitle(QStringLiteral("待上传销售"));
    resize(760, 360);
    m_table->setObjectName(QStringLiteral("salesTable"));
    m_table->setColumnCount(5);
    m_table->setHorizontalHeaderLabels({QStringLiteral("单号"), QStringLiteral("时间"), QStringLiteral("折后"),
                                        QStringLiteral("状态"), QStringLiteral("原因")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setWordWrap(true);
    m_sendAgainButton->setObjectName(QStringLiteral("sendAgainButton"));
    m_freshNumberButton->setObjectName(QStringLiteral("freshNumberButton"));

    auto *note = new QLabel(QStringLiteral("服务器拒绝的销售被搁置，其余销售照常上传。被搁置的销售不会被删除："
                                           "处理好原因后可重新上传；单号与服务器上的另一笔销售重复时，"
                                           "可换本机的新单号重新上传，原单号随销售一起保存。"),
                            this);
    note->setWordWrap(true);
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *actions = new QHBoxLayout;
    actions->addWidget(m_sendAgainButton);
    actions->addWidget(m_freshNumberButton);
    actions->addStretch();
    actions->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(m_table);
    layout->addLayout(actions);

    connect(m_table, &QTableWidget::itemSelectionChanged, this, &WaitingSalesDialog::followSelection);
    ConnectHandler(m_sendAgainButton, &QPushButton::clicked, this, &WaitingSalesDialog::sendAgain);
    ConnectHandler(m_freshNumberButton, &QPushButton::clicked, this, &WaitingSalesDialog::sendUnderFreshNumber);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    Dialogs::Guarded(this, [this] { reload(); });
}

void WaitingSalesDialog::reload()
{
    m_entries = Outbox::List(m_session);
    m_table->setRowCount(int(m_entries.size()));
    for (int row = 0; row < int(m_entries.size()); ++row) {
        const Outbox::Entry &entry = m_entries[size_t(row)];
        const QString state = entry.reason.isEmpty() ? QStringLiteral("等待上传") : QStringLiteral("已搁置");
        const QStringList texts = {entry.number, entry.time, NumberToText(entry.discounted), state, entry.reason};
        for (int column = 0; column < texts.size(); ++column) {
            auto *item = new QTableWidgetItem(texts[column]);
            if (!entry.reason.isEmpty())
                item->setForeground(Qt::red);
            m_table->setItem(row, column, item);
        }
    }
    m_table->resizeRowsToContents();
    followSelection();
}

const Outbox::Entry *WaitingSalesDialog::selected() const
{
    const int row = m_table->currentRow();
    if (row < 0 || row >= int(m_entries.size()) || !m_table->item(row, 0)->isSelected())
        return nullptr;
    return &m_entries[size_t(row)];
}

void WaitingSalesDialog::followSelection()
{
    const Outbox::Entry *entry = selected();
    m_sendAgainButton->setEnabled(entry && !entry->reason.isEmpty());
    m_freshNumberButton->setEnabled(entry && entry->numberTaken);
}

void WaitingSalesDialog::sendAgain()
{
    if (const Outbox::Entry *entry = selected(); entry && !entry->reason.isEmpty()) {
        Outbox::SendAgain(m_session, entry->id, false);
        reload();
    }
}

void WaitingSalesDialog::sendUnderFreshNumber()
{
    const Outbox::Entry *entry = selected();
    if (!entry || !entry->numberTaken)
        return;
    const QString old = entry->number;
    if (!Dialogs::Confirm(
            this, QStringLiteral("将单号为 %1 的销售换成本机的新单号重新上传吗？原单号会随销售一起保存。").arg(old)))
        return;
    const QString fresh = Outbox::SendAgain(m_session, entry->id, true);
    reload();
    Dialogs::Message(this, QStringLiteral("单号 %1 的销售将以新单号 %2 上传。").arg(old, fresh),
                     Dialogs::Icon::Information);
}
