#pragma once

#include <QObject>

// Lets only digits, one decimal point and backspace be typed into a number
// field (a QLineEdit or an editable QComboBox). Every other character is
// dropped, including "-", blanks, Enter and the control characters of the
// copy, cut, paste and undo shortcuts; keys that type nothing (arrows, Tab,
// Delete) pass. A "." is dropped when the field's text already holds one.
// Text pasted through the context menu is not filtered.
class NumericKeyFilter : public QObject
{
    Q_OBJECT
public:
    explicit NumericKeyFilter(QObject *parent = nullptr);

    // Installs the filter on the field.
    void watch(QObject *field);

    // Whether a key with this text may be typed into a field holding fieldText.
    static bool Accepts(const QString &keyText, const QString &fieldText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
