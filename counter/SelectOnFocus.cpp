#include "counter/SelectOnFocus.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QTimer>

SelectOnFocus::SelectOnFocus(QObject *parent)
    : QObject(parent)
{ }

void SelectOnFocus::watch(QWidget *field)
{
    field->installEventFilter(this);
}

bool SelectOnFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        auto *box = qobject_cast<QComboBox *>(watched);
        QLineEdit *field = box ? box->lineEdit() : qobject_cast<QLineEdit *>(watched);
        // After the click that gave the focus has placed the cursor.
        if (field)
            QTimer::singleShot(0, field, &QLineEdit::selectAll);
    }
    return false;
}
