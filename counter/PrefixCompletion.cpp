#include "counter/PrefixCompletion.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

PrefixCompletion::PrefixCompletion(QComboBox *box)
    : QObject(box)
    , m_box(box)
{
    box->setCompleter(nullptr);
    box->installEventFilter(this);
    connect(box->lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_typing)
            complete(text);
        m_typing = false;
    });
}

bool PrefixCompletion::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        m_typing = !(key->modifiers() & Qt::ControlModifier) && text.size() == 1 && text.at(0).isPrint();
    } else if (event->type() == QEvent::KeyRelease) {
        m_typing = false;
    } else if (event->type() == QEvent::InputMethod) {
        m_typing = !static_cast<QInputMethodEvent *>(event)->commitString().isEmpty();
    }
    return false;
}

void PrefixCompletion::complete(const QString &typed)
{
    if (typed.isEmpty())
        return;
    for (int i = 0; i < m_box->count(); ++i) {
        const QString item = m_box->itemText(i);
        if (!item.startsWith(typed, Qt::CaseInsensitive))
            continue;
        QLineEdit *edit = m_box->lineEdit();
        edit->setText(item);
        edit->setSelection(int(typed.size()), int(item.size() - typed.size()));
        emit completed();
        return;
    }
}
