#pragma once

#include <QString>

#include <functional>

class QWidget;

// The one seam through which the program asks the user anything: message
// boxes, the general error box, confirmation questions and file dialogs.
// Tests install a responder that answers instead of a real dialog.
namespace Dialogs {

enum class Icon { None, Warning, Stop, Question, Information };
enum class FileDialog { Save, Open };

struct Shown
{
    QString title;
    QString text;
    Icon icon;
    QString detail = {}; // another program's words behind an error, behind the box's 显示详细信息
};

class Responder
{
public:
    virtual ~Responder() = default;
    virtual void message(const Shown &shown) = 0;
    virtual bool confirm(const Shown &shown) = 0;
    // An empty text means the user cancelled.
    virtual QString fileName(FileDialog kind, const QString &filter) = 0;
};

// nullptr restores the real dialogs.
void SetResponder(Responder *responder);

// A message box titled "提示" with an OK button.
void Message(QWidget *owner, const QString &text, Icon icon);
// The general error box: stop icon, the error's text with a full stop appended,
// titled with the application's title; `detail` (a server's words) behind its
// details button.
void Error(QWidget *owner, const QString &text, const QString &detail = {});
// A 确定/取消 question; true for 确定.
bool Confirm(QWidget *owner, const QString &text);
// A Yes/No question before something that cannot be undone, No the default; true for Yes.
bool AskBeforeHarm(QWidget *owner, const QString &text);
// File dialogs; an empty text when cancelled.
QString SaveFileName(QWidget *owner, const QString &filter = {});
QString OpenFileName(QWidget *owner, const QString &filter = {});

// While one is alive, an error text already shown is not shown again: a broken
// data file at start-up is reported once, not once per window.
class OnceEachError
{
public:
    OnceEachError();
    ~OnceEachError();
    OnceEachError(const OnceEachError &) = delete;
    OnceEachError &operator=(const OnceEachError &) = delete;
};

// Runs a handler; an error it raises ends it and is shown in the general error
// box, with the words behind it (ErrorDetail) as its details.
void Guarded(QWidget *owner, const std::function<void()> &handler);

} // namespace Dialogs
