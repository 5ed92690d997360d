#pragma once

#include <QObject>

class QWidget;

// Selects a number field's whole text whenever it gets the focus, by mouse as
// by keyboard, so that typing replaces the number instead of adding to it.
class SelectOnFocus : public QObject
{
    Q_OBJECT
public:
    explicit SelectOnFocus(QObject *parent = nullptr);

    // A line edit, or an editable drop-down box.
    void watch(QWidget *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
