#pragma once

#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QStatusBar;
class QToolButton;
class QWidget;

// Small factories for the records windows' fixed layouts: each control gets its
// name as objectName and its place in client pixels.
namespace Controls {

// A fixed-size window with only the system menu and close box, in 宋体 of the given pixel height.
void FixedWindow(QDialog *window, const char *name, const QString &title, int width, int height, int fontPixels);

QLabel *Label(QWidget *parent, const char *name, const QString &caption, int left, int top);
QLineEdit *Edit(QWidget *parent, const char *name, int left, int top, int width, int height);
// The empty status bar along a window's bottom edge, 22 pixels high.
QStatusBar *BottomStatusBar(QWidget *window);
// A button with a picture and a hand cursor that never takes the focus.
QToolButton *SpeedButton(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                         int height);

} // namespace Controls
