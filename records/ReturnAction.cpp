#include "records/ReturnAction.h"

#include "base/AppError.h"
#include "checkout/Checkout.h"
#include "checkout/PrintProgress.h"
#include "grid/Dialogs.h"
#include "records/ReturnDialog.h"

bool ReturnTicket(QWidget *window, Session &session, ReceiptPrinter &printer, const QString &number)
{
    if (number.isEmpty()) {
        Dialogs::Message(window, QStringLiteral("请先选择要退货的销售记录！"), Dialogs::Icon::Warning);
        return false;
    }
    std::optional<SaleReturns::Returnable> returnable;
    try {
        returnable = SaleReturns::Find(session, number);
    } catch (const DataError &refusal) {
        Dialogs::Message(window, refusal.message(), Dialogs::Icon::Warning);
        return false;
    }
    ReturnDialog dialog(session, std::move(*returnable), window);
    if (dialog.exec() != QDialog::Accepted)
        return false;

    Checkout checkout(session, printer);
    checkout.setJobRunner([window](const std::vector<Checkout::Job> &jobs) { PrintWithProgress(window, jobs); });
    const Checkout::Result result = checkout.runReturn(dialog.saleReturn());
    if (!result.drawerProblem.isEmpty())
        Dialogs::Message(window, QStringLiteral("退货已记录，但钱箱没有打开：%1").arg(result.drawerProblem),
                         Dialogs::Icon::Warning);
    return true;
}
