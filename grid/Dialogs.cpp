#include "grid/Dialogs.h"

#include "base/ErrorDetail.h"
#include "grid/ChineseFileDates.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace Dialogs {

namespace {

Responder *g_responder = nullptr;
QStringList *g_errorsShown = nullptr; // set while an OnceEachError is alive

const QString kTitle = QStringLiteral("提示");

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Stop:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

int showBox(QWidget *owner, const Shown &shown, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(boxIcon(shown.icon), shown.title, shown.text, buttons, owner);
    box.setDetailedText(shown.detail);
    // The buttons' words do not hang on Qt's translations being installed.
    if (QAbstractButton *ok = box.button(QMessageBox::Ok))
        ok->setText(QStringLiteral("确定"));
    if (QAbstractButton *cancel = box.button(QMessageBox::Cancel))
        cancel->setText(QStringLiteral("取消"));
    return box.exec();
}

// Qt's own dialog, whose texts and dates are Chinese; the desktop's would
// follow the machine's language.
QString chooseFile(QWidget *owner, FileDialog kind, const QString &filter)
{
    QFileDialog dialog(owner, QString(), QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ChineseFileDates(&dialog));
    if (kind == FileDialog::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

} // namespace

void SetResponder(Responder *responder)
{
    g_responder = responder;
}

void Message(QWidget *owner, const QString &text, Icon icon)
{
    const Shown shown{kTitle, text, icon};
    if (g_responder)
        g_responder->message(shown);
    else
        showBox(owner, shown, QMessageBox::Ok);
}

void Error(QWidget *owner, const QString &text, const QString &detail)
{
    if (g_errorsShown) {
        if (g_errorsShown->contains(text))
            return;
        g_errorsShown->append(text);
    }
    QString message = text;
    if (!message.endsWith(QLatin1Char('.')) && !message.endsWith(QChar(0x3002)))
        message += QLatin1Char('.');
    const Shown shown{QApplication::applicationName(), message, Icon::Stop, detail};
    if (g_responder)
        g_responder->message(shown);
    else
        showBox(owner, shown, QMessageBox::Ok);
}

bool Confirm(QWidget *owner, const QString &text)
{
    const Shown shown{kTitle, text, Icon::Question};
    if (g_responder)
        return g_responder->confirm(shown);
    return showBox(owner, shown, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool AskBeforeHarm(QWidget *owner, const QString &text)
{
    const Shown shown{kTitle, text, Icon::Question};
    if (g_responder)
        return g_responder->confirm(shown);
    QMessageBox box(QMessageBox::Question, shown.title, shown.text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString SaveFileName(QWidget *owner, const QString &filter)
{
    if (g_responder)
        return g_responder->fileName(FileDialog::Save, filter);
    return chooseFile(owner, FileDialog::Save, filter);
}

QString OpenFileName(QWidget *owner, const QString &filter)
{
    if (g_responder)
        return g_responder->fileName(FileDialog::Open, filter);
    return chooseFile(owner, FileDialog::Open, filter);
}

OnceEachError::OnceEachError()
{
    g_errorsShown = new QStringList;
}

OnceEachError::~OnceEachError()
{
    delete g_errorsShown;
    g_errorsShown = nullptr;
}

void Guarded(QWidget *owner, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const AppError &error) {
        Error(owner, error.message(), DetailOf(error));
    } catch (const std::exception &error) {
        Error(owner, QString::fromLocal8Bit(error.what()));
    }
}

} // namespace Dialogs
