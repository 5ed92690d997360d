#include "records/Controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

namespace Controls {

void FixedWindow(QDialog *window, const char *name, const QString &title, int width, int height, int fontPixels)
{
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(title);
    window->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setFixedSize(width, height);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(fontPixels);
    window->setFont(font);
}

QLabel *Label(QWidget *parent, const char *name, const QString &caption, int left, int top)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QLineEdit *Edit(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, width, height);
    edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; }")); // flat, as at the counter
    return edit;
}

QToolButton *SpeedButton(QWidget *parent, const char *name, const QString &caption, int left, int top, int width,
                         int height)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setGeometry(left, top, width, height);
    button->setCursor(Qt::PointingHandCursor);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QStatusBar *BottomStatusBar(QWidget *window)
{
    auto *bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    bar->setGeometry(0, window->height() - 22, window->width(), 22);
    return bar;
}

} // namespace Controls
