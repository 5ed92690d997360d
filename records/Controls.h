#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

// Small factories for the records windows' fixed layouts: each control gets its
// name as objectName and its place in client pixels.
namespace Controls {

QLabel *Label(QWidget *parent, const char *name, const QString &caption, int left, int top);
QLineEdit *Edit(QWidget *parent, const char *name, int left, int top, int width, int height);
// A button with a picture and a hand cursor that never takes the focus.
QToolButton *SpeedButton(QWidget *parent, const char *name, const QString &caption, int left, int top,
                         int width, int height);

} // namespace Controls
