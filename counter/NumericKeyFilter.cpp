#include "counter/NumericKeyFilter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

QString FieldText(QObject *field)
{
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        return edit->text();
    if (auto *box = qobject_cast<QComboBox *>(field))
        return box->currentText();
    return QString();
}

} // namespace

NumericKeyFilter::NumericKeyFilter(QObject *parent)
    : QObject(parent)
{ }

void NumericKeyFilter::watch(QObject *field)
{
    field->installEventFilter(this);
}

bool NumericKeyFilter::Accepts(const QString &keyText, const QString &fieldText)
{
    if (keyText.size() != 1)
        return false;
    const QChar c = keyText.at(0);
    if (c == QLatin1Char('\b') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
        return true;
    return c == QLatin1Char('.') && !fieldText.contains(QLatin1Char('.'));
}

bool NumericKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & Qt::ControlModifier) {
        // Ctrl with a letter types a control character (copy, cut, paste, undo).
        return (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) || !key->text().isEmpty();
    }
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false; // focus moves and deletion type no character
    default:
        break;
    }
    if (key->text().isEmpty())
        return false; // arrows, Home, End and other keys that type nothing
    return !Accepts(key->text(), FieldText(watched));
}
