#pragma once

#include <QString>

class Session;
class QWidget;
class ReceiptPrinter;

// A window's 退货 (Ctrl+R) on the ticket recorded under `number`: the return
// dialog for its lines, then the return recorded and its 退货单 printed,
// telling the user why when nothing of it can be returned. True when a return
// was recorded.
bool ReturnTicket(QWidget *window, Session &session, ReceiptPrinter &printer, const QString &number);
