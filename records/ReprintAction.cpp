#include "records/ReprintAction.h"

#include "checkout/PrintProgress.h"
#include "checkout/Reprint.h"
#include "grid/Dialogs.h"

#include <QDateTime>

void ReprintTicket(QWidget *window, Session &session, ReceiptPrinter &printer, const QString &number)
{
    if (number.isEmpty()) {
        Dialogs::Message(window, QStringLiteral("请先选择要重打的销售记录！"), Dialogs::Icon::Warning);
        return;
    }
    const auto printAside = [window](const std::vector<Checkout::Job> &jobs) { PrintWithProgress(window, jobs); };
    switch (ReprintSale(session, printer, number, QDateTime::currentDateTime(), printAside)) {
    case ReprintOutcome::Printed:
        return;
    case ReprintOutcome::NoSale:
        Dialogs::Message(window, QStringLiteral("没有单号为 %1 的销售记录，无法重打小票！").arg(number),
                         Dialogs::Icon::Warning);
        return;
    case ReprintOutcome::NoLines:
        Dialogs::Message(window, QStringLiteral("单号为 %1 的销售明细已被删除，无法重打小票！").arg(number),
                         Dialogs::Icon::Warning);
        return;
    case ReprintOutcome::NoTemplate:
        Dialogs::Message(window, QStringLiteral("当前的打印设置没有对应的小票模板，无法重打小票！"),
                         Dialogs::Icon::Warning);
        return;
    }
}
